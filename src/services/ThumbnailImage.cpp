#include "ThumbnailImage.h"

#include "PngImage.h"

#include <array>
#include <functional>

namespace fretkit {

std::string ThumbnailImage::png(std::string_view name) {
    // A background in the name's colour, a lighter head and shoulders.
    const std::size_t hash = std::hash<std::string_view>{}(name);
    const int size = kSize;
    const std::array<unsigned char, 3> background = {
        static_cast<unsigned char>(60 + hash % 120),
        static_cast<unsigned char>(60 + hash / 7 % 120),
        static_cast<unsigned char>(60 + hash / 49 % 120)};
    PngImage image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int dx = x - size / 2;
            const int headY = y - size * 3 / 8;
            const int bodyY = y - size;
            const bool head = dx * dx + headY * headY <= (size / 6) * (size / 6);
            const bool body = dx * dx + bodyY * bodyY <= (size * 2 / 5) * (size * 2 / 5);
            const auto shade = [&](unsigned char channel) {
                return head || body ? static_cast<unsigned char>(channel / 2 + 120) : channel;
            };
            image.set(x, y, shade(background[0]), shade(background[1]), shade(background[2]));
        }
    }
    return image.png();
}

} // namespace fretkit
