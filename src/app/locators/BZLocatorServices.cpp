#include "BZLocatorServices.h"

#include "foundation/UserDefaults.h"
#include "services/LocatorServiceAddresses.h"

namespace {

fretkit::LocatorServiceAddresses& addresses() {
    static fretkit::LocatorServiceAddresses shared;
    return shared;
}

} // namespace

std::optional<fretkit::LocatorServices> BZLocatorServices::current(std::string* error) {
    return addresses().resolve(fretkit::UserDefaults::standard(), error);
}

std::optional<fretkit::LocatorServices> BZLocatorServices::embedded(std::string* error) {
    return addresses().embedded(error);
}
