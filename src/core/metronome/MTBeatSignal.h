#pragma once

#include "host/Realtime.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>

// What the display needs to know of a beat: its index from 0 since start, its polarity (which
// way the cursor swings, which side flashes), whether it starts a bar or is accented, and when
// its first frame leaves the stream (nanoseconds on the host clock; 0 when the stream gave no
// time).
struct MTBeat {
    std::uint32_t index = 0;
    bool polarity = false;
    bool startsBar = false;
    bool accented = false;
    std::uint64_t nanoseconds = 0;
    bool operator==(const MTBeat&) const = default;

    // Seconds from `now` (host clock seconds) until the beat is heard through an output that
    // sounds `latency` seconds after its buffer is rendered; 0 when it is heard already, or
    // when it carries no time.
    double delayUntilHeard(double now, double latency) const;
};

// The audio thread's per-beat request to the main thread: one preallocated word that the audio
// thread overwrites with each new beat and the main thread takes when it looks (at its display
// rate). Posting never allocates, locks or waits. A main thread that looks late sees only the
// newest beat; `missed` counts the ones it never saw.
class MTBeatSignal {
public:
    // Audio thread.
    void post(const MTBeat& beat) FRETKIT_NONBLOCKING;
    // Main thread: the beat posted since the last take, if any.
    std::optional<MTBeat> take();
    std::uint32_t missed() const { return missed_.load(std::memory_order_relaxed); }

private:
    static constexpr std::uint64_t kPending = 1ull << 63;
    // The times of the last few beats, by index: the word has no room for a time, and a slot is
    // only reused after this many further beats, far later than any reader looks.
    static constexpr std::size_t kTimes = 4;
    std::atomic<std::uint64_t> word_{0};
    std::array<std::atomic<std::uint64_t>, kTimes> times_{};
    std::atomic<std::uint32_t> missed_{0};
};
