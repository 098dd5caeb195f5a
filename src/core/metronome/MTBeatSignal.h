#pragma once

#include "host/Realtime.h"

#include <atomic>
#include <cstdint>
#include <optional>

// What the display needs to know of a beat: its index from 0 since start, its polarity (which
// way the cursor swings, which side flashes), and whether it starts a bar or is accented.
struct MTBeat {
    std::uint32_t index = 0;
    bool polarity = false;
    bool startsBar = false;
    bool accented = false;
    bool operator==(const MTBeat&) const = default;
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
    std::atomic<std::uint64_t> word_{0};
    std::atomic<std::uint32_t> missed_{0};
};
