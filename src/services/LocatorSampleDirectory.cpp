#include "LocatorSampleDirectory.h"

#include "foundation/Bundle.h"
#include "locators/DFDealer.h"
#include "locators/LocatorPlace.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

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
    if (!LocatorPlace::isPostalCode(code) || code < "00500") {
        return std::nullopt;
    }
    const PlistValue* nearest = nullptr;
    std::size_t sharedDigits = 0;
    long gap = 0;
    const long wanted = std::stol(std::string(code));
    for (const auto& [listed, place] : postalCodes().dictionaryEntries()) {
        if (!LocatorPlace::isPostalCode(listed)) {
            continue;
        }
        const auto mismatch = std::mismatch(listed.begin(), listed.end(), code.begin());
        const auto shared = static_cast<std::size_t>(mismatch.first - listed.begin());
        const long distance = std::labs(std::stol(listed) - wanted);
        if (!nearest || shared > sharedDigits || (shared == sharedDigits && distance < gap)) {
            nearest = &place;
            sharedDigits = shared;
            gap = distance;
        }
    }
    if (!nearest) {
        return std::nullopt;
    }
    return GeoCoordinate{(*nearest)["latitude"].doubleValue(),
                         (*nearest)["longitude"].doubleValue()};
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
    for (const auto& [code, place] : postalCodes().dictionaryEntries()) {
        if (wanted == normalized(place["city"].stringValue())) {
            return GeoCoordinate{place["latitude"].doubleValue(), place["longitude"].doubleValue()};
        }
    }
    return postalCode(wanted);
}

} // namespace fretkit
