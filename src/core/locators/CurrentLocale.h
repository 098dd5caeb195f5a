#pragma once

#include <string>

namespace fretkit {

// What the locators need of the user's locale, read from the POSIX locale variables
// ("en_US.UTF-8"): the two-letter country and whether distances are shown in kilometres.
class CurrentLocale {
public:
    // The territory of LC_ALL, else LANG ("US"); empty for the "C" or "POSIX" locale.
    static std::string countryCode();
    // False for the territories that measure in miles (US, LR, MM); decided by LC_ALL, else
    // LC_MEASUREMENT, else LANG. True when no territory is known.
    static bool usesMetricSystem();

    // The territory part of one locale name.
    static std::string territoryOf(const std::string& localeName);
};

} // namespace fretkit
