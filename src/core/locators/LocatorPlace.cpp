#include "LocatorPlace.h"

#include "foundation/UserDefaults.h"

#include <algorithm>
#include <cctype>

namespace fretkit {

namespace {

std::string upper(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), [](char c) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    });
    return result;
}

} // namespace

bool LocatorPlace::isPostalCode(std::string_view text) {
    return text.size() == 5 && std::all_of(text.begin(), text.end(), [](char c) {
               return std::isdigit(static_cast<unsigned char>(c)) != 0;
           });
}

bool LocatorPlace::isCountryCode(std::string_view text) {
    return text.size() == 2 && std::all_of(text.begin(), text.end(), [](char c) {
               return std::isalpha(static_cast<unsigned char>(c)) != 0;
           });
}

std::optional<LocatorPlace> LocatorPlace::stored(const UserDefaults& defaults) {
    LocatorPlace place;
    place.international = defaults.boolForKey(kInternationalKey);
    place.code = defaults.stringForKey(kCodeKey);
    if (place.international) {
        place.code = upper(place.code);
        place.countryName = defaults.stringForKey(kCountryNameKey);
    }
    const bool valid = place.international ? isCountryCode(place.code) : isPostalCode(place.code);
    return valid ? std::optional<LocatorPlace>(place) : std::nullopt;
}

void LocatorPlace::store(UserDefaults& defaults) const {
    defaults.setBool(international, kInternationalKey);
    defaults.setString(code, kCodeKey);
    if (international) {
        defaults.setString(countryName, kCountryNameKey);
    } else {
        defaults.removeObjectForKey(kCountryNameKey);
    }
}

std::optional<LocatorPlace> LocatorPlace::fromLocale(std::string_view countryCode) {
    const std::string code = upper(countryCode);
    if (!isCountryCode(code) || code == "US") {
        return std::nullopt;
    }
    return LocatorPlace{true, code, {}};
}

} // namespace fretkit
