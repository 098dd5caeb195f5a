#include "MTTimeSignature.h"

#include <charconv>

namespace {

constexpr int kGroups = 7;

std::optional<std::uint64_t> number(std::string_view text, int base) {
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

bool fail(std::string* error, const std::string& why) {
    if (error != nullptr) {
        *error = why;
    }
    return false;
}

// Every group of a raw value must name a beat inside the bar.
bool validGroups(std::uint32_t encoded, std::string* error) {
    const std::uint32_t beats = encoded & 15u;
    if (beats == 0) {
        return fail(error, "the beats per bar (the lowest hex digit) must be 1 to 15");
    }
    for (int g = 1; g <= kGroups; ++g) {
        if (((encoded >> (4 * g)) & 15u) >= beats) {
            return fail(error, "an accented beat lies outside the bar of " + std::to_string(beats) +
                                   " beats");
        }
    }
    return true;
}

std::optional<MTTimeSignature> parseWithAccents(std::string_view text, std::string* error) {
    const std::size_t colon = text.find(':');
    const auto beats = number(text.substr(0, colon), 10);
    if (!beats || *beats < 1 || *beats > 15) {
        fail(error, "the beats per bar must be 1 to 15");
        return std::nullopt;
    }
    std::uint32_t encoded = static_cast<std::uint32_t>(*beats);
    std::string_view accents = text.substr(colon + 1);
    int group = 1;
    while (!accents.empty()) {
        const std::size_t comma = accents.find(',');
        const auto beat = number(accents.substr(0, comma), 10);
        if (!beat || *beat >= *beats) {
            fail(error, "accented beats are numbers from 0 to " + std::to_string(*beats - 1));
            return std::nullopt;
        }
        if (*beat != 0) { // beat 0 is always accented and needs no group
            if (group > kGroups) {
                fail(error, "at most seven accented beats besides the first");
                return std::nullopt;
            }
            encoded |= static_cast<std::uint32_t>(*beat) << (4 * group++);
        }
        accents = comma == std::string_view::npos ? std::string_view() : accents.substr(comma + 1);
    }
    return MTTimeSignature(encoded);
}

} // namespace

bool MTTimeSignature::isAccented(std::uint32_t beat) const {
    if (!hasBars()) {
        return false;
    }
    const std::uint32_t k = positionInBar(beat);
    if (k == 0) {
        return true;
    }
    for (int g = 1; g <= kGroups; ++g) {
        if (((encoded_ >> (4 * g)) & 15u) == k) {
            return true;
        }
    }
    return false;
}

bool MTTimeSignature::startsBar(std::uint32_t beat) const {
    return hasBars() && positionInBar(beat) == 0;
}

std::uint32_t MTTimeSignature::positionInBar(std::uint32_t beat) const {
    return hasBars() ? beat % beatsPerBar() : 0;
}

std::optional<MTTimeSignature> MTTimeSignature::parse(std::string_view text, std::string* error) {
    if (text == "none" || text == "0") {
        return MTTimeSignature();
    }
    if (text.find(':') != std::string_view::npos) {
        return parseWithAccents(text, error);
    }
    const bool hex = text.starts_with("0x") || text.starts_with("0X");
    const auto value = number(hex ? text.substr(2) : text, hex ? 16 : 10);
    if (!value || *value > 0xFFFFFFFFu) {
        fail(error, "a time signature is BEATS, BEATS:ACCENT,..., none, or an encoded value");
        return std::nullopt;
    }
    const auto encoded = static_cast<std::uint32_t>(*value);
    if (!validGroups(encoded, error)) {
        return std::nullopt;
    }
    return MTTimeSignature(encoded);
}
