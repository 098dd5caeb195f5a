#include "DFDealer.h"

#include "MapServiceLinks.h"
#include "URLText.h"

#include <vector>

namespace fretkit {

namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t comma = text.find(separator); comma != std::string_view::npos;
         comma = text.find(separator, start)) {
        parts.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

std::string DFDealer::queryText() const {
    return field("ALCMTX") + " " + field("ALCPTX") + " " + field("ALBYCD");
}

std::string DFDealer::addressText() const {
    std::string text = field("ALCMTX");
    if (record_.contains("ALCNTX")) {
        text.append(" ").append(field("ALCNTX"));
    }
    text.append("\n").append(field("ALCPTX")).append(", ").append(field("ALBYCD"));
    return text.append("\n").append(field("ALCOCD"));
}

std::string DFDealer::geocodeURL(std::string_view mapServiceBase) const {
    return MapServiceLinks::geocodeURL(mapServiceBase, queryText());
}

std::string DFDealer::mapURL(std::string_view mapServiceBase) const {
    return MapServiceLinks::pageURL(mapServiceBase, queryText());
}

std::string DFDealer::phoneURL() const {
    const std::string phone = field("ALCRTX");
    return phone.empty() ? std::string() : "tel:" + URLText::percentEscape(phone, "+");
}

std::optional<std::string> DFDealer::webURL() const {
    const std::string page = field("HPAGEX");
    return URLText::isWebURL(page) ? std::optional<std::string>(page) : std::nullopt;
}

std::optional<GeoCoordinate> DFDealer::coordinateFromGeocodeAnswer(std::string_view answer) {
    const std::vector<std::string_view> parts = split(trimmed(answer), ',');
    if (parts.size() <= 3 || trimmed(parts[0]) != "200") {
        return std::nullopt;
    }
    const auto latitude = GeoCoordinate::parseDegrees(trimmed(parts[2]));
    const auto longitude = GeoCoordinate::parseDegrees(trimmed(parts[3]));
    if (!latitude || !longitude) {
        return std::nullopt;
    }
    return GeoCoordinate{*latitude, *longitude};
}

} // namespace fretkit
