#include "BZLocatorServices.h"

#include "foundation/UserDefaults.h"
#include "services/LocatorServiceAddresses.h"

std::optional<fretkit::LocatorServices> BZLocatorServices::current(std::string* error) {
    static fretkit::LocatorServiceAddresses addresses;
    return addresses.resolve(fretkit::UserDefaults::standard(), error);
}
