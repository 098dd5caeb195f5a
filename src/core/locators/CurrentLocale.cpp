#include "CurrentLocale.h"

#include <cstdlib>
#include <initializer_list>

namespace fretkit {

namespace {

std::string firstSet(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value && *value) {
            return value;
        }
    }
    return {};
}

} // namespace

std::string CurrentLocale::territoryOf(const std::string& localeName) {
    const std::size_t underscore = localeName.find('_');
    if (underscore == std::string::npos) {
        return {};
    }
    const std::size_t end = localeName.find_first_of(".@", underscore);
    return localeName.substr(underscore + 1,
                             end == std::string::npos ? std::string::npos : end - underscore - 1);
}

std::string CurrentLocale::countryCode() {
    return territoryOf(firstSet({"LC_ALL", "LANG"}));
}

bool CurrentLocale::usesMetricSystem() {
    const std::string territory = territoryOf(firstSet({"LC_ALL", "LC_MEASUREMENT", "LANG"}));
    return territory != "US" && territory != "LR" && territory != "MM";
}

} // namespace fretkit
