#include "MTBeatSignal.h"

#include <algorithm>

double MTBeat::delayUntilHeard(double now, double latency) const {
    if (nanoseconds == 0) {
        return 0.0;
    }
    return std::max(0.0, static_cast<double>(nanoseconds) / 1e9 + latency - now);
}

void MTBeatSignal::post(const MTBeat& beat) {
    // The time goes first: the word's release makes it visible to whoever takes the word.
    times_[beat.index % kTimes].store(beat.nanoseconds, std::memory_order_relaxed);
    const std::uint64_t word = kPending | (std::uint64_t{beat.polarity} << 32) |
                               (std::uint64_t{beat.startsBar} << 33) |
                               (std::uint64_t{beat.accented} << 34) | beat.index;
    if ((word_.exchange(word, std::memory_order_acq_rel) & kPending) != 0) {
        missed_.fetch_add(1, std::memory_order_relaxed);
    }
}

std::optional<MTBeat> MTBeatSignal::take() {
    const std::uint64_t word = word_.exchange(0, std::memory_order_acq_rel);
    if ((word & kPending) == 0) {
        return std::nullopt;
    }
    MTBeat beat;
    beat.index = static_cast<std::uint32_t>(word);
    beat.polarity = ((word >> 32) & 1u) != 0;
    beat.startsBar = ((word >> 33) & 1u) != 0;
    beat.accented = ((word >> 34) & 1u) != 0;
    beat.nanoseconds = times_[beat.index % kTimes].load(std::memory_order_relaxed);
    return beat;
}
