#pragma once

#include "GeoCoordinate.h"
#include "foundation/PlistValue.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fretkit {

// One teacher of the teacher service. Texts are empty while unknown; lists are empty until their
// first entry.
class TFTeacher {
public:
    // The teacher described by one "Teacher" dictionary of the answer; nullopt unless it is both
    // active and approved.
    static std::optional<TFTeacher> teacherWithState(const PlistValue& state);

    std::string firstName, lastName, email, phone, website, city, state, postalCode, country,
        yearsTeaching, rate, imageName;
    std::vector<std::string> instruments, styles, skillLevels, ageGroups;
    GeoCoordinate localCoordinates;
    GeoCoordinate teacherCoordinates;
    bool hasTeacherCoordinates = false;

    std::string fullName() const;
    // The whole postal address block: street, "city, state postal code", country.
    std::string address() const;
    const std::string& street() const { return street_; }
    void setAddress(std::string street) { street_ = std::move(street); }

    // The central angle to the user in radians; the largest double while either place is unknown.
    double distance() const;

    // A property by its name ("fullName", "phone", "instruments"...): a text, a list of texts,
    // or null while it has no value.
    PlistValue valueForKey(std::string_view key) const;

    // Links: "tel:" and "mailto:" with the escaped value (empty when unknown), the website only
    // when it is an http or https URL, the map query of the address, the photo's address.
    std::string phoneURL() const;
    std::string emailURL() const;
    std::optional<std::string> websiteURL() const;
    std::string mapURL(std::string_view mapServiceBase) const;
    std::string photoURL(std::string_view teacherServiceBase) const;

private:
    void apply(int code, const std::string& value);

    std::string street_;
};

} // namespace fretkit
