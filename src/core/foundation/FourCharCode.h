#pragma once

#include <cstdint>

namespace fretkit {

// A four-character status or property code ('!cat', 'acat') as the signed 32-bit number the
// audio services use, first character in the most significant byte.
constexpr std::int32_t fourCharCode(const char (&code)[5]) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(code[i]);
    }
    return static_cast<std::int32_t>(value);
}

} // namespace fretkit
