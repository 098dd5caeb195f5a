#include "GeoCoordinate.h"

#include "foundation/StringFormat.h"

#include <cmath>
#include <cstdlib>

namespace fretkit {

double GeoCoordinate::centralAngle(const GeoCoordinate& from, const GeoCoordinate& to) {
    constexpr double kRadiansPerDegree = 0.017453292519943295;
    const double phi1 = from.latitude * kRadiansPerDegree;
    const double phi2 = to.latitude * kRadiansPerDegree;
    const double halfDeltaPhi = (phi2 - phi1) / 2.0;
    const double halfDeltaLambda = (to.longitude - from.longitude) * kRadiansPerDegree / 2.0;
    const double a =
        std::sin(halfDeltaPhi) * std::sin(halfDeltaPhi) +
        std::cos(phi1) * std::cos(phi2) * std::sin(halfDeltaLambda) * std::sin(halfDeltaLambda);
    return 2.0 * std::atan2(std::sqrt(a), std::sqrt(1.0 - a));
}

std::string GeoCoordinate::distanceText(double angle, bool metric) {
    return metric ? stringWithFormat("%0.1f km", angle * kEarthRadiusKm)
                  : stringWithFormat("%0.1f mi", angle * kEarthRadiusMiles);
}

std::optional<double> GeoCoordinate::parseDegrees(std::string_view text) {
    const std::string copy(text);
    if (copy.empty() || copy.find_first_of(" \t\n") != std::string::npos) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<GeoCoordinate> GeoCoordinate::parse(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) {
        return std::nullopt;
    }
    const auto latitude = parseDegrees(text.substr(0, comma));
    const auto longitude = parseDegrees(text.substr(comma + 1));
    if (!latitude || !longitude || std::fabs(*latitude) > 90.0 || std::fabs(*longitude) > 180.0) {
        return std::nullopt;
    }
    return GeoCoordinate{*latitude, *longitude};
}

} // namespace fretkit
