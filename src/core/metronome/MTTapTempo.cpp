#include "MTTapTempo.h"

std::optional<std::uint32_t> MTTapTempo::tap(double now) {
    if (numberOfTaps_ > 0 && now - tapTimes_[(numberOfTaps_ - 1) % kRing] > kResetGap) {
        tapTimes_.fill(0.0);
        numberOfTaps_ = 0;
    }
    tapTimes_[numberOfTaps_ % kRing] = now;
    const std::uint32_t m = ++numberOfTaps_;
    if (m == 1) {
        return std::nullopt;
    }
    const double interval = m <= kRing ? (now - tapTimes_[0]) / (m - 1)
                                       : (tapTimes_[(m - 1) % kRing] - tapTimes_[m % kRing]) / 7.0;
    if (interval < 0.0 || !(interval < kResetGap)) {
        return std::nullopt; // a clock that went back gives no tempo
    }
    // Truncated to whole beats per minute; the small allowance keeps a tempo that is whole but
    // for the rounding of the interval's arithmetic (60 / 0.4 = 149.99999...) from losing a beat.
    const double tempo = 60.0 / interval + 1e-9; // infinite for taps at the same instant
    return tempo >= 4294967295.0 ? std::uint32_t{0xFFFFFFFF} : static_cast<std::uint32_t>(tempo);
}
