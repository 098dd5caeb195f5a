#include "ServiceAnswer.h"

#include "locators/SoapEnvelope.h"

namespace fretkit {

ServiceAnswer ServiceAnswer::fault(const std::string& code, const std::string& message) {
    return {500, "text/xml; charset=utf-8", SoapEnvelope::fault(code, message)};
}

ServiceAnswer ServiceAnswer::text(int status, std::string body) {
    return {status, "text/plain; charset=utf-8", std::move(body)};
}

} // namespace fretkit
