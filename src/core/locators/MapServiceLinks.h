#pragma once

#include "GeoCoordinate.h"

#include <string>
#include <string_view>

namespace fretkit {

// The addresses of the geocoding and map service: a query placed as comma-separated text, the
// service's page of a place, and a square map picture around a point.
class MapServiceLinks {
public:
    static constexpr const char* kGeocodePath = "/maps/geo";
    static constexpr const char* kPagePath = "/maps";
    static constexpr const char* kImagePath = "/maps/image";
    // The degrees of latitude and of longitude a map picture spans.
    static constexpr double kImageSpan = 0.002;

    // "/maps/geo?q=<query>&output=csv": answered "status,accuracy,latitude,longitude".
    static std::string geocodeURL(std::string_view mapServiceBase, std::string_view query);
    // "/maps?q=<query>".
    static std::string pageURL(std::string_view mapServiceBase, std::string_view query);
    // "/maps/image?ll=<lat>,<lon>&spn=<span>&size=<pixels>": a PNG of pixels x pixels.
    static std::string imageURL(std::string_view mapServiceBase, GeoCoordinate center, int pixels);
};

} // namespace fretkit
