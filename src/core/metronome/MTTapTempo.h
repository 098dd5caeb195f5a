#pragma once

#include <array>
#include <cstdint>
#include <optional>

// Tap tempo: the times of the last eight taps in a ring. A pause of more than 1.5 s starts a new
// series; each later tap gives the mean interval of the series (of its last seven intervals once
// more than eight taps were made), and an interval under 1.5 s gives a tempo of 60 / interval,
// truncated. The caller clamps it to the tempo range.
class MTTapTempo {
public:
    static constexpr double kResetGap = 1.5;
    static constexpr std::size_t kRing = 8;

    // A tap at `now` (seconds); the tempo it gives, if any.
    std::optional<std::uint32_t> tap(double now);
    std::uint32_t numberOfTaps() const { return numberOfTaps_; }

private:
    std::array<double, kRing> tapTimes_{};
    std::uint32_t numberOfTaps_ = 0;
};
