#include "LocatorServices.h"

#include "URLText.h"
#include "foundation/UserDefaults.h"

#include <cstdlib>

namespace fretkit {

namespace {

std::string lookup(const UserDefaults& defaults, const char* variable, const char* key) {
    const char* value = std::getenv(variable);
    if (value && *value) {
        return value;
    }
    return defaults.stringForKey(key);
}

} // namespace

LocatorServices LocatorServices::configured(const UserDefaults& defaults) {
    return {lookup(defaults, kDealerVariable, kDealerKey),
            lookup(defaults, kTeacherVariable, kTeacherKey),
            lookup(defaults, kMapVariable, kMapKey)};
}

void LocatorServices::fillMissing(const std::string& base) {
    for (std::string* address : {&dealers, &teachers, &maps}) {
        if (address->empty()) {
            *address = base;
        }
    }
}

std::optional<std::string> LocatorServices::normalized(const std::string& address,
                                                       std::string* error) {
    std::string trimmed = address;
    while (!trimmed.empty() && trimmed.back() == '/') {
        trimmed.pop_back();
    }
    if (!URLText::isWebURL(trimmed) || URLText::authority(trimmed).empty() ||
        trimmed.find_first_of("?#") != std::string::npos) {
        if (error) {
            *error = "'" + address + "' is not an http or https base address";
        }
        return std::nullopt;
    }
    return trimmed;
}

} // namespace fretkit
