#include "PngImage.h"

#include <cstdint>
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

} // namespace

PngImage::PngImage(int width, int height)
    : width_(width), height_(height), rgb_(static_cast<std::size_t>(width * height * 3), 0) {}

void PngImage::set(int x, int y, unsigned char red, unsigned char green, unsigned char blue) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    const auto at = static_cast<std::size_t>((y * width_ + x) * 3);
    rgb_[at] = red;
    rgb_[at + 1] = green;
    rgb_[at + 2] = blue;
}

std::string PngImage::png() const {
    std::vector<unsigned char> raw;
    const auto row = static_cast<std::ptrdiff_t>(width_) * 3;
    raw.reserve(static_cast<std::size_t>(height_ * (row + 1)));
    for (std::ptrdiff_t y = 0; y < height_; ++y) {
        raw.push_back(0); // no filter
        const auto start = rgb_.begin() + y * row;
        raw.insert(raw.end(), start, start + row);
    }
    uLongf compressedSize = compressBound(static_cast<uLong>(raw.size()));
    std::string compressed(compressedSize, '\0');
    compress(reinterpret_cast<Bytef*>(compressed.data()), &compressedSize, raw.data(),
             static_cast<uLong>(raw.size()));
    compressed.resize(compressedSize);

    std::string header;
    appendBigEndian(header, static_cast<std::uint32_t>(width_));
    appendBigEndian(header, static_cast<std::uint32_t>(height_));
    header +=
        std::string("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no filter, no interlace
    std::string file = "\x89PNG\r\n\x1a\n";
    appendChunk(file, "IHDR", header);
    appendChunk(file, "IDAT", compressed);
    appendChunk(file, "IEND", "");
    return file;
}

} // namespace fretkit
