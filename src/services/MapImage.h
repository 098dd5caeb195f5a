#pragma once

#include "locators/GeoCoordinate.h"

#include <string>

namespace fretkit {

// The local map service's pictures: a square street map around a point, drawn from a street
// grid fixed to the degrees of latitude and longitude, so that pictures of nearby points agree.
// Avenues run every fourth street; some blocks are parks, the others hold buildings.
class MapImage {
public:
    static constexpr int kMaxPixels = 512;

    // A PNG of pixels x pixels showing `span` degrees of latitude and of longitude.
    static std::string png(GeoCoordinate center, double span, int pixels);
};

} // namespace fretkit
