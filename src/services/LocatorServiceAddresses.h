#pragma once

#include "locators/LocatorServices.h"

#include <memory>
#include <optional>
#include <string>

namespace fretkit {

class LocatorServer;
class UserDefaults;

// The service addresses a client uses: each one configured by its environment variable or
// setting, once checked, and the embedded local services for the others. The embedded services
// start with the first call that needs them and serve until this object goes away.
class LocatorServiceAddresses {
public:
    LocatorServiceAddresses();
    ~LocatorServiceAddresses();
    LocatorServiceAddresses(const LocatorServiceAddresses&) = delete;
    LocatorServiceAddresses& operator=(const LocatorServiceAddresses&) = delete;

    // The three addresses; nullopt with the reason when a configured one is not an http or
    // https base address, or when the embedded services cannot start.
    std::optional<LocatorServices> resolve(const UserDefaults& defaults, std::string* error);
    // The embedded services alone, whatever is configured: for work that must not depend on the
    // outside network.
    std::optional<LocatorServices> embedded(std::string* error);

private:
    std::unique_ptr<LocatorServer> embedded_;
};

} // namespace fretkit
