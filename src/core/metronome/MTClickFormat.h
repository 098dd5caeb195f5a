#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// The metronome's click sound format: raw 16-bit little-endian mono samples, nothing else. Any
// byte string decodes; an odd last byte is ignored.
class MTClickFormat {
public:
    static std::vector<std::int16_t> decode(std::string_view bytes);
};
