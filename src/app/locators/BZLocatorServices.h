#pragma once

#include "locators/LocatorServices.h"

#include <optional>
#include <string>

// The addresses of the dealer, teacher and map services for the screens: those configured by
// environment variable or setting, and the embedded local services (started when first needed,
// serving until the app ends) for the others. Main thread.
class BZLocatorServices {
public:
    // Nullopt with the reason when a configured address is wrong or the local services cannot
    // start.
    static std::optional<fretkit::LocatorServices> current(std::string* error);
    // The embedded services for all three: what the tour shows, never the outside network.
    static std::optional<fretkit::LocatorServices> embedded(std::string* error);
};
