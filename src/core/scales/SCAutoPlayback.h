#pragma once

#include "SCScale.h"
#include "foundation/TimerScheduler.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace fretkit {

class SCNotePlayer;

// The strum of a scale pattern: its notes one after another on a repeating main-thread timer,
// upward (direction 1), downward (-1), or to the far end and back (2 upward first, -2 downward
// first). The range is the whole pattern, or, unless all notes are asked for, the notes from the
// first root on; a pattern without a root keeps the previous range. The timer steps every
// 0.25^speed seconds, and only once the note before has started.
class SCAutoPlayback {
public:
    struct Range {
        std::uint32_t location = 0;
        std::uint32_t length = 0;
        bool operator==(const Range&) const = default;
    };

    SCAutoPlayback(SCNotePlayer& player, TimerScheduler& timers)
        : player_(player), timers_(timers) {}
    ~SCAutoPlayback() { stop(); }
    SCAutoPlayback(const SCAutoPlayback&) = delete;
    SCAutoPlayback& operator=(const SCAutoPlayback&) = delete;

    // Called with each note index asked for (to highlight its marker).
    void setNoteRequested(std::function<void(std::uint32_t)> requested) {
        requested_ = std::move(requested);
    }

    // Main thread.
    void strum(const SCScale& scale, int direction, bool playAllNotes, double speed);
    void playNextNote();
    void playNoteAtIndex(std::uint32_t index);
    void stop();
    bool isRunning() const { return timer_ != nullptr; }
    Range range() const { return range_; }

    static double intervalForSpeed(double speed);

private:
    SCNotePlayer& player_;
    TimerScheduler& timers_;
    std::function<void(std::uint32_t)> requested_;
    std::shared_ptr<RepeatingTimer> timer_;
    Range range_;
    int incrementor_ = 1;
    bool loop_ = false;
};

} // namespace fretkit
