#include "MapService.h"

#include "MapImage.h"
#include "foundation/StringFormat.h"
#include "locators/URLText.h"

#include <cmath>

namespace fretkit {

ServiceAnswer MapService::geocode(std::string_view query, std::string_view output) const {
    if (output != "csv") {
        return ServiceAnswer::text(400, "Only output=csv is served\n");
    }
    if (LocatorSampleDirectory::normalized(query).empty()) {
        return ServiceAnswer::text(200, "601,0,0,0");
    }
    const auto place = directory_.geocode(query);
    if (!place) {
        return ServiceAnswer::text(200, "602,0,0,0");
    }
    return ServiceAnswer::text(
        200, stringWithFormat("200,8,%.6f,%.6f", place->latitude, place->longitude));
}

ServiceAnswer MapService::page(std::string_view query) const {
    const auto place = directory_.geocode(query);
    const std::string where = place ? stringWithFormat("Latitude %.5f, longitude %.5f.",
                                                       place->latitude, place->longitude)
                                    : std::string("This place is not in the sample directory.");
    const std::string title = URLText::xmlEscape(query);
    return {200, "text/html; charset=utf-8",
            "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title +
                "</title></head><body><h1>" + title + "</h1><p>" + where +
                "</p><p>Local sample map service.</p></body></html>\n"};
}

ServiceAnswer MapService::image(std::string_view center, std::string_view span,
                                std::string_view size) const {
    const auto place = GeoCoordinate::parse(center);
    const auto degrees = GeoCoordinate::parseDegrees(span);
    const auto pixels = GeoCoordinate::parseDegrees(size);
    if (!place || !degrees || *degrees <= 0.0 || *degrees > 1.0 || !pixels || *pixels < 1.0 ||
        *pixels > MapImage::kMaxPixels || *pixels != std::floor(*pixels)) {
        return ServiceAnswer::text(400, "A map picture needs ll=LAT,LON, spn=DEGREES (up to 1) "
                                        "and size=PIXELS (1 to " +
                                            std::to_string(MapImage::kMaxPixels) + ")\n");
    }
    return {200, "image/png", MapImage::png(*place, *degrees, static_cast<int>(*pixels))};
}

} // namespace fretkit
