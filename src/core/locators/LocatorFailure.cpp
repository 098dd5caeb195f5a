#include "LocatorFailure.h"

#include "SoapEnvelope.h"

namespace fretkit {

std::string LocatorFailure::of(const LocatorResponse& response) {
    if (!response.error.empty()) {
        return response.error;
    }
    if (response.succeeded()) {
        return {};
    }
    const std::string fault = SoapEnvelope::faultString(response.body);
    return "the service answered HTTP " + std::to_string(response.status) +
           (fault.empty() ? std::string() : ": " + fault);
}

} // namespace fretkit
