#include "MTBeatSignal.h"

void MTBeatSignal::post(const MTBeat& beat) {
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
    return beat;
}
