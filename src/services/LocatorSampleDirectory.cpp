#include "LocatorSampleDirectory.h"

#include "foundation/Bundle.h"
#include "locators/DFDealer.h"

#include <cctype>

namespace fretkit {

std::optional<LocatorSampleDirectory> LocatorSampleDirectory::load(const Bundle& bundle,
                                                                   std::string* error) {
    std::optional<PlistValue> contents = bundle.propertyList(kResourceName);
    if (!contents || !(*contents)["dealers"].isArray() || !(*contents)["teachers"].isArray()) {
        if (error) {
            *error = std::string("the sample directory ") + kResourceName +
                     ".plist is missing or unreadable in " + bundle.resourcePath();
        }
        return std::nullopt;
    }
    return LocatorSampleDirectory(std::move(*contents));
}

std::string LocatorSampleDirectory::normalized(std::string_view text) {
    std::string result;
    bool space = false;
    for (const char c : text) {
        if (std::isspace(static_cast<unsigned char>(c)) || c == ',') {
            space = !result.empty();
            continue;
        }
        if (space) {
            result += ' ';
            space = false;
        }
        result += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return result;
}

bool LocatorSampleDirectory::listContains(const PlistValue& list, std::string_view value) {
    const std::string wanted = normalized(value);
    for (const PlistValue& item : list.arrayItems()) {
        if (normalized(item.stringValue()) == wanted) {
            return true;
        }
    }
    return false;
}

GeoCoordinate LocatorSampleDirectory::dealerPlace(const PlistValue& dealer) {
    return {dealer["LATTEX"].doubleValue(), dealer["LNGTEX"].doubleValue()};
}

std::optional<GeoCoordinate> LocatorSampleDirectory::teacherPlace(const PlistValue& teacher) {
    if (!teacher.contains("latitude") || !teacher.contains("longitude")) {
        return std::nullopt;
    }
    return GeoCoordinate{teacher["latitude"].doubleValue(), teacher["longitude"].doubleValue()};
}

std::optional<GeoCoordinate> LocatorSampleDirectory::postalCode(std::string_view code) const {
    const PlistValue* place = contents_["postalCodes"].find(code);
    if (!place) {
        return std::nullopt;
    }
    return GeoCoordinate{(*place)["latitude"].doubleValue(), (*place)["longitude"].doubleValue()};
}

std::optional<GeoCoordinate> LocatorSampleDirectory::geocode(std::string_view query) const {
    const std::string wanted = normalized(query);
    if (wanted.empty()) {
        return std::nullopt;
    }
    for (const PlistValue& dealer : dealers().arrayItems()) {
        if (normalized(DFDealer(dealer).queryText()) == wanted) {
            return dealerPlace(dealer);
        }
    }
    for (const PlistValue& teacher : teachers().arrayItems()) {
        // The street with city and region, or the whole address block the teacher details
        // send (street, city, region, postal code, country, then city and region again).
        const std::string street = teacher["address"].stringValue();
        std::string cityAndState(1, ' ');
        cityAndState.append(teacher["city"].stringValue()).append(" ");
        cityAndState.append(teacher["state"].stringValue());
        std::string block = street + cityAndState;
        block.append(" ").append(teacher["postalCode"].stringValue()).append(" ");
        block.append(teacher["country"].stringValue()).append(cityAndState);
        if (normalized(street + cityAndState) == wanted || normalized(block) == wanted) {
            return teacherPlace(teacher);
        }
    }
    for (const auto& [code, place] : contents_["postalCodes"].dictionaryEntries()) {
        if (wanted == code || wanted == normalized(place["city"].stringValue())) {
            return GeoCoordinate{place["latitude"].doubleValue(), place["longitude"].doubleValue()};
        }
    }
    return std::nullopt;
}

} // namespace fretkit
