#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The encoded time signature: 0 is none; otherwise bits 0-3 give the beats per bar (1-15) and
// each of the seven higher 4-bit groups names a 0-based beat of the bar that is accented. Beat 0
// of every bar is always accented; unused groups hold 0 and so name beat 0 too.
class MTTimeSignature {
public:
    MTTimeSignature() = default;
    explicit MTTimeSignature(std::uint32_t encoded) : encoded_(encoded) {}

    std::uint32_t encoded() const { return encoded_; }
    // 0 when there is no time signature. A nonzero value whose low group is 0 names no bar
    // length; it is read as no time signature, so that nothing divides by zero.
    std::uint32_t beatsPerBar() const { return encoded_ & 15u; }
    bool hasBars() const { return beatsPerBar() != 0; }

    // Whether beat `beat` (counted from 0 since start) is accented / starts a bar.
    bool isAccented(std::uint32_t beat) const;
    bool startsBar(std::uint32_t beat) const;
    // The beat's 0-based position within its bar (0 without bars).
    std::uint32_t positionInBar(std::uint32_t beat) const;

    // Reads "4" (beats per bar), "4:0,3" (beats per bar and the accented beats), "0" or "none"
    // (no time signature) or a raw encoded value ("0x34", or a decimal above 15). Nullopt with
    // the reason in `error` for anything else, or for an accent outside the bar.
    static std::optional<MTTimeSignature> parse(std::string_view text, std::string* error);

private:
    std::uint32_t encoded_ = 0;
};
