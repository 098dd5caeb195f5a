#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One Italian tempo name and its half-open range of tempos.
struct MTTempoName {
    std::string title;
    std::uint32_t minimumValue = 0;
    std::uint32_t maximumValue = 0; // not included
    std::uint32_t midValue() const { return minimumValue + (maximumValue - minimumValue) / 2; }
};

// The tempo editor's value, without its views: clamped to 40-280, reported only on change, and
// the tempo names it shows.
class MTTempoEditorModel {
public:
    static constexpr std::uint32_t kMinimumTempo = 40;
    static constexpr std::uint32_t kMaximumTempo = 280;

    static std::uint32_t clamp(std::uint32_t tempo);
    // The names in strip order, "largo" to "prestissimo".
    static const std::vector<MTTempoName>& names();
    // The index of the name whose range holds the tempo; none for 280 and outside 40-280.
    static std::optional<std::size_t> nameIndexForTempo(std::uint32_t tempo);

    std::uint32_t tempo() const { return tempo_; }
    // Clamps and stores; answers whether the stored value changed (the delegate is told then).
    bool setTempo(std::uint32_t tempo);

private:
    std::uint32_t tempo_ = 0;
};
