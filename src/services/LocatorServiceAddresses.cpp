#include "LocatorServiceAddresses.h"

#include "LocatorServer.h"
#include "foundation/Bundle.h"

namespace fretkit {

LocatorServiceAddresses::LocatorServiceAddresses() = default;
LocatorServiceAddresses::~LocatorServiceAddresses() = default;

std::optional<LocatorServices> LocatorServiceAddresses::resolve(const UserDefaults& defaults,
                                                                std::string* error) {
    LocatorServices services = LocatorServices::configured(defaults);
    for (std::string* address : {&services.dealers, &services.teachers, &services.maps}) {
        if (!address->empty()) {
            const auto normalized = LocatorServices::normalized(*address, error);
            if (!normalized) {
                return std::nullopt;
            }
            *address = *normalized;
        }
    }
    if (services.complete()) {
        return services;
    }
    const auto local = embedded(error);
    if (!local) {
        return std::nullopt;
    }
    services.fillMissing(local->dealers);
    return services;
}

std::optional<LocatorServices> LocatorServiceAddresses::embedded(std::string* error) {
    if (!embedded_) {
        std::string reason;
        auto directory = LocatorSampleDirectory::load(Bundle::main(), &reason);
        auto server = directory ? std::make_unique<LocatorServer>(std::move(*directory)) : nullptr;
        if (!server || !server->start(0, &reason)) {
            if (error) {
                *error = "cannot start the local services: " + reason;
            }
            return std::nullopt;
        }
        embedded_ = std::move(server);
    }
    LocatorServices services;
    services.fillMissing(embedded_->baseAddress());
    return services;
}

} // namespace fretkit
