#include "TFTeacher.h"

#include "MapServiceLinks.h"
#include "URLText.h"

namespace fretkit {

std::optional<TFTeacher> TFTeacher::teacherWithState(const PlistValue& state) {
    if (!state["TeacherActive"].boolValue() || !state["TeacherApproved"].boolValue()) {
        return std::nullopt;
    }
    TFTeacher teacher;
    for (const PlistValue& row : state["Data"].arrayItems()) {
        const std::string value = row["RegFieldValueValue"].stringValue();
        if (!value.empty()) {
            teacher.apply(row["RegFieldId"].intValue(), value);
        }
    }
    const PlistValue& geocode = state["TeacherGeocode"]["Data"];
    if (geocode.count() > 0) {
        teacher.teacherCoordinates = {geocode[0]["Latitude"].doubleValue(),
                                      geocode[0]["Longitude"].doubleValue()};
        teacher.hasTeacherCoordinates = true;
    }
    return teacher;
}

void TFTeacher::apply(int code, const std::string& value) {
    switch (code) {
    case 4:
        lastName = value;
        break;
    case 6:
        firstName = value;
        break;
    case 7:
        email = value;
        break;
    case 9:
        street_ = value;
        break;
    case 10:
        city = value;
        break;
    case 11:
        state = value;
        break;
    case 12:
        postalCode = value;
        break;
    case 13:
        phone = value;
        break;
    case 14:
        rate = value;
        break;
    // A value that names its scheme is kept as it is ("https://..." must not become
    // "http://https://..."); a bare host gets "http://".
    case 18:
        website = URLText::hasScheme(value) ? value : "http://" + value;
        break;
    case 26:
        yearsTeaching = value;
        break;
    case 32:
        instruments.push_back(value);
        break;
    case 33:
        styles.push_back(value);
        break;
    case 34:
        skillLevels.push_back(value);
        break;
    case 35:
        ageGroups.push_back(value);
        break;
    case 42:
        imageName = value;
        break;
    case 43:
        rate = "Contact";
        break;
    case 50:
        country = value;
        break;
    default:
        break;
    }
}

std::string TFTeacher::fullName() const {
    if (firstName.empty() || lastName.empty()) {
        return firstName + lastName;
    }
    return firstName + " " + lastName;
}

std::string TFTeacher::address() const {
    return street_ + "\n" + city + ", " + state + " " + postalCode + "\n" + country;
}

double TFTeacher::distance() const {
    if ((localCoordinates.latitude == 0.0 && localCoordinates.longitude == 0.0) ||
        !hasTeacherCoordinates) {
        return GeoCoordinate::kUnknownDistance;
    }
    return GeoCoordinate::centralAngle(localCoordinates, teacherCoordinates);
}

PlistValue TFTeacher::valueForKey(std::string_view key) const {
    const std::pair<std::string_view, const std::string*> texts[] = {
        {"firstName", &firstName}, {"lastName", &lastName},
        {"email", &email},         {"phone", &phone},
        {"website", &website},     {"city", &city},
        {"state", &state},         {"postalCode", &postalCode},
        {"country", &country},     {"yearsTeaching", &yearsTeaching},
        {"rate", &rate},           {"imageName", &imageName}};
    for (const auto& [name, text] : texts) {
        if (name == key) {
            return text->empty() ? PlistValue() : PlistValue(*text);
        }
    }
    const std::pair<std::string_view, const std::vector<std::string>*> lists[] = {
        {"instruments", &instruments},
        {"styles", &styles},
        {"skillLevels", &skillLevels},
        {"ageGroups", &ageGroups}};
    for (const auto& [name, list] : lists) {
        if (name == key) {
            if (list->empty()) {
                return {};
            }
            PlistValue items = PlistValue::array();
            for (const std::string& item : *list) {
                items.append(item);
            }
            return items;
        }
    }
    if (key == "fullName") {
        return fullName();
    }
    if (key == "address") {
        return address();
    }
    return {};
}

std::string TFTeacher::phoneURL() const {
    return phone.empty() ? std::string() : "tel:" + URLText::percentEscape(phone, "+");
}

std::string TFTeacher::emailURL() const {
    return email.empty() ? std::string() : "mailto:" + URLText::percentEscape(email, "@+");
}

std::optional<std::string> TFTeacher::websiteURL() const {
    return URLText::isWebURL(website) ? std::optional<std::string>(website) : std::nullopt;
}

std::string TFTeacher::mapURL(std::string_view mapServiceBase) const {
    return MapServiceLinks::pageURL(mapServiceBase, address() + " " + city + " " + state);
}

std::string TFTeacher::photoURL(std::string_view teacherServiceBase) const {
    return imageName.empty() ? std::string()
                             : std::string(teacherServiceBase) + "/upload/profile_images/thumbs/" +
                                   URLText::percentEscape(imageName);
}

} // namespace fretkit
