#include "ThumbnailImage.h"

#include "PngImage.h"

#include <algorithm>
#include <array>
#include <functional>

namespace fretkit {

namespace {

// Whether a point (in units of the picture's side) lies on the head or the shoulders.
bool onFigure(double x, double y) {
    const double dx = x - 0.5;
    const double headY = y - 0.375;
    const double bodyY = y - 1.0;
    return dx * dx + headY * headY <= 0.17 * 0.17 || dx * dx + bodyY * bodyY <= 0.4 * 0.4;
}

} // namespace

std::string ThumbnailImage::png(std::string_view name) {
    // A background in the name's colour, darker below, and a lighter head and shoulders; each
    // pixel averages nine samples, so that the edges are smooth.
    const std::size_t hash = std::hash<std::string_view>{}(name);
    const std::array<double, 3> colour = {static_cast<double>(60 + hash % 120),
                                          static_cast<double>(60 + hash / 7 % 120),
                                          static_cast<double>(60 + hash / 49 % 120)};
    constexpr int kSamples = 3;
    PngImage image(kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        const double shade = 1.1 - 0.3 * y / kSize;
        for (int x = 0; x < kSize; ++x) {
            double figure = 0.0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    figure += onFigure((x + (sx + 0.5) / kSamples) / kSize,
                                       (y + (sy + 0.5) / kSamples) / kSize)
                                  ? 1.0
                                  : 0.0;
                }
            }
            figure /= kSamples * kSamples;
            std::array<unsigned char, 3> pixel{};
            for (std::size_t c = 0; c < 3; ++c) {
                const double background = std::min(255.0, colour[c] * shade);
                const double light = colour[c] / 2.0 + 120.0;
                pixel[c] = static_cast<unsigned char>(background + (light - background) * figure);
            }
            image.set(x, y, pixel[0], pixel[1], pixel[2]);
        }
    }
    return image.png();
}

} // namespace fretkit
