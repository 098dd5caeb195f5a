#pragma once

#include "foundation/PlistValue.h"
#include "locators/GeoCoordinate.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fretkit {

class Bundle;

// The invented directory the local services answer from: dealers with the brands they sell,
// teachers, and United States postal codes with their coordinates.
class LocatorSampleDirectory {
public:
    static constexpr const char* kResourceName = "LocatorSampleDirectory";

    explicit LocatorSampleDirectory(PlistValue contents) : contents_(std::move(contents)) {}
    // The directory of the bundle; nullopt (with the reason) when it is missing or unreadable.
    static std::optional<LocatorSampleDirectory> load(const Bundle& bundle, std::string* error);

    const PlistValue& dealers() const { return contents_["dealers"]; }
    const PlistValue& teachers() const { return contents_["teachers"]; }
    // The listed postal codes: a dictionary of code to "city", "state", "latitude", "longitude".
    const PlistValue& postalCodes() const { return contents_["postalCodes"]; }
    // The place of a United States postal code. A code the directory does not list is placed
    // at its nearest listed neighbour: the one sharing the longest leading digits with it, the
    // numerically closest among those. Codes that are not five digits, and those below 00500
    // (no United States code begins with 000 to 004), have no place.
    std::optional<GeoCoordinate> postalCode(std::string_view code) const;

    // The place a free-text query names: a dealer's or teacher's address query, a postal code,
    // or a city of the postal-code table (letter case and spacing do not matter).
    std::optional<GeoCoordinate> geocode(std::string_view query) const;

    static GeoCoordinate dealerPlace(const PlistValue& dealer);
    static std::optional<GeoCoordinate> teacherPlace(const PlistValue& teacher);
    static bool listContains(const PlistValue& list, std::string_view value); // ignoring case
    static std::string normalized(std::string_view text);

private:
    PlistValue contents_;
};

} // namespace fretkit
