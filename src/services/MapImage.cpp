#include "MapImage.h"

#include "PngImage.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace fretkit {

namespace {

using Colour = std::array<int, 3>;

constexpr double kStreetLatitude = 0.00045; // degrees between streets
constexpr double kStreetLongitude = 0.0006;
constexpr double kStreetHalfWidth = 0.00005;
constexpr double kAvenueHalfWidth = 0.00009;
constexpr double kKerb = 0.00002;         // the outline of a road
constexpr double kBuildingInset = 0.0001; // the pavement round a block's buildings

constexpr Colour kLand = {237, 231, 216};
constexpr Colour kBuilding = {217, 208, 193};
constexpr Colour kPark = {197, 222, 172};
constexpr Colour kStreet = {255, 255, 255};
constexpr Colour kStreetKerb = {200, 191, 174};
constexpr Colour kAvenue = {248, 216, 137};
constexpr Colour kAvenueKerb = {214, 176, 92};

struct Line {
    long index;      // of the nearest street line
    double distance; // to it, in degrees
    long block;      // the block the point lies in
};

Line nearestLine(double degrees, double spacing) {
    const double position = degrees / spacing;
    const double below = std::floor(position);
    const bool upper = position - below > 0.5;
    const double distance = (upper ? below + 1.0 - position : position - below) * spacing;
    return {static_cast<long>(upper ? below + 1.0 : below), distance, static_cast<long>(below)};
}

std::uint32_t blockHash(long row, long column) {
    auto value = static_cast<std::uint32_t>(row * 73856093L ^ column * 19349663L);
    value ^= value >> 13;
    value *= 0x5bd1e995u;
    return value ^ (value >> 15);
}

// A road's colour, or nothing (-1) when the point is beside the road.
int road(const Line& line, const Colour*& colour) {
    const bool avenue = line.index % 4 == 0;
    const double half = avenue ? kAvenueHalfWidth : kStreetHalfWidth;
    if (line.distance <= half) {
        colour = avenue ? &kAvenue : &kStreet;
        return avenue ? 2 : 1;
    }
    if (line.distance <= half + kKerb) {
        colour = avenue ? &kAvenueKerb : &kStreetKerb;
        return avenue ? 2 : 1;
    }
    return -1;
}

Colour colourAt(double latitude, double longitude) {
    const Line across = nearestLine(latitude, kStreetLatitude);
    const Line along = nearestLine(longitude, kStreetLongitude);
    const Colour* first = nullptr;
    const Colour* second = nullptr;
    const int a = road(across, first);
    const int b = road(along, second);
    if (a > 0 || b > 0) {
        return *(a >= b ? first : second); // the avenue is drawn over the street it crosses
    }
    const std::uint32_t hash = blockHash(across.block, along.block);
    if (hash % 7 == 0) {
        return kPark;
    }
    if (across.distance < kBuildingInset || along.distance < kBuildingInset) {
        return kLand;
    }
    const int shade = static_cast<int>(hash % 5) * 3 - 6;
    return {kBuilding[0] + shade, kBuilding[1] + shade, kBuilding[2] + shade};
}

} // namespace

std::string MapImage::png(GeoCoordinate center, double span, int pixels) {
    PngImage image(pixels, pixels);
    const double perPixel = span / pixels;
    const double north = center.latitude + span / 2.0;
    const double west = center.longitude - span / 2.0;
    constexpr int kSamples = 3; // per side of a pixel, for smooth edges
    for (int y = 0; y < pixels; ++y) {
        for (int x = 0; x < pixels; ++x) {
            std::array<int, 3> sum = {0, 0, 0};
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double latitude = north - (y + (sy + 0.5) / kSamples) * perPixel;
                    const double longitude = west + (x + (sx + 0.5) / kSamples) * perPixel;
                    const Colour colour = colourAt(latitude, longitude);
                    for (int c = 0; c < 3; ++c) {
                        sum[static_cast<std::size_t>(c)] += colour[static_cast<std::size_t>(c)];
                    }
                }
            }
            constexpr int kCount = kSamples * kSamples;
            image.set(x, y, static_cast<unsigned char>(sum[0] / kCount),
                      static_cast<unsigned char>(sum[1] / kCount),
                      static_cast<unsigned char>(sum[2] / kCount));
        }
    }
    return image.png();
}

} // namespace fretkit
