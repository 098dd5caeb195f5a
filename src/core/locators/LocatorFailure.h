#pragma once

#include "LocatorRequest.h"

#include <string>

namespace fretkit {

// Why a locator response is not a usable answer, in words for the user.
class LocatorFailure {
public:
    // The transport's reason, or the HTTP status with the service's fault message; empty for a
    // success.
    static std::string of(const LocatorResponse& response);
};

} // namespace fretkit
