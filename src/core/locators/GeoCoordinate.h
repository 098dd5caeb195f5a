#pragma once

#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace fretkit {

// A latitude and longitude in degrees; (0, 0) stands for "unknown".
struct GeoCoordinate {
    double latitude = 0.0;
    double longitude = 0.0;

    static constexpr double kUnknownDistance = std::numeric_limits<double>::max();
    static constexpr double kEarthRadiusKm = 6371.0;
    static constexpr double kEarthRadiusMiles = 3959.0;

    // The great-circle central angle between two points, in radians (the haversine formula).
    static double centralAngle(const GeoCoordinate& from, const GeoCoordinate& to);

    // "%0.1f km" or "%0.1f mi" for a central angle, by the measurement system.
    static std::string distanceText(double angle, bool metric);

    // "LAT,LON" as the command line takes it; nullopt when it is not two numbers in range.
    static std::optional<GeoCoordinate> parse(std::string_view text);
    // A decimal number with nothing else around it; nullopt otherwise.
    static std::optional<double> parseDegrees(std::string_view text);
};

} // namespace fretkit
