#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fretkit {

class UserDefaults;

// Where the locators search: near a United States postal code, or in a country. A desktop has
// no position source, so the place is the one the user chose in the location editor, kept in
// the settings for both locators; until there is one, the locale's country decides.
struct LocatorPlace {
    static constexpr const char* kInternationalKey = "BZ_locationInternational";
    static constexpr const char* kCodeKey = "BZ_locationCode";
    static constexpr const char* kCountryNameKey = "BZ_locationCountryName";

    bool international = false;
    // The five-digit postal code, or the two-letter country code.
    std::string code;
    // The country as the location editor names it; empty for a place taken from the locale.
    std::string countryName;

    // The place chosen last; nullopt before the user chose one, or when the stored code is not
    // a postal code or a country code.
    static std::optional<LocatorPlace> stored(const UserDefaults& defaults);
    void store(UserDefaults& defaults) const;
    // The place before the user chose one: the locale's country for any country but the United
    // States; nullopt when the user has to choose (a United States locale searches by postal
    // code, which the locale does not give, and a locale without a country names no place).
    static std::optional<LocatorPlace> fromLocale(std::string_view countryCode);

    // The teacher service's country: the name chosen in the location editor, else the code.
    const std::string& teacherCountry() const { return countryName.empty() ? code : countryName; }

    // Five decimal digits.
    static bool isPostalCode(std::string_view text);
    // Two ASCII letters, either case.
    static bool isCountryCode(std::string_view text);

    friend bool operator==(const LocatorPlace&, const LocatorPlace&) = default;
};

} // namespace fretkit
