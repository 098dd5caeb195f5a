#include "ThumbnailImage.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>
#include <zlib.h>

namespace fretkit {

namespace {

void appendBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}

void appendChunk(std::string& out, const char* type, const std::string& data) {
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    out += typed;
    const auto* bytes = reinterpret_cast<const Bytef*>(typed.data());
    appendBigEndian(out,
                    static_cast<std::uint32_t>(crc32(0L, bytes, static_cast<uInt>(typed.size()))));
}

// Raw scan lines: a background in the name's colour, a lighter head and shoulders.
std::vector<unsigned char> pixels(std::size_t hash) {
    const int size = ThumbnailImage::kSize;
    const std::array<unsigned char, 3> background = {
        static_cast<unsigned char>(60 + hash % 120),
        static_cast<unsigned char>(60 + hash / 7 % 120),
        static_cast<unsigned char>(60 + hash / 49 % 120)};
    std::vector<unsigned char> raw;
    raw.reserve(static_cast<std::size_t>(size * (size * 3 + 1)));
    for (int y = 0; y < size; ++y) {
        raw.push_back(0); // no filter
        for (int x = 0; x < size; ++x) {
            const int dx = x - size / 2;
            const int headY = y - size * 3 / 8;
            const int bodyY = y - size;
            const bool head = dx * dx + headY * headY <= (size / 6) * (size / 6);
            const bool body = dx * dx + bodyY * bodyY <= (size * 2 / 5) * (size * 2 / 5);
            for (const unsigned char channel : background) {
                raw.push_back(head || body ? static_cast<unsigned char>(channel / 2 + 120)
                                           : channel);
            }
        }
    }
    return raw;
}

} // namespace

std::string ThumbnailImage::png(std::string_view name) {
    const std::vector<unsigned char> raw = pixels(std::hash<std::string_view>{}(name));
    uLongf compressedSize = compressBound(static_cast<uLong>(raw.size()));
    std::string compressed(compressedSize, '\0');
    compress(reinterpret_cast<Bytef*>(compressed.data()), &compressedSize, raw.data(),
             static_cast<uLong>(raw.size()));
    compressed.resize(compressedSize);

    std::string header;
    appendBigEndian(header, kSize);
    appendBigEndian(header, kSize);
    header +=
        std::string("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no filter, no interlace
    std::string png = "\x89PNG\r\n\x1a\n";
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", compressed);
    appendChunk(png, "IEND", "");
    return png;
}

} // namespace fretkit
