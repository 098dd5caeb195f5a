#include "SCAutoPlayback.h"

#include "SCNotePlayer.h"

#include <algorithm>
#include <cmath>

namespace fretkit {

double SCAutoPlayback::intervalForSpeed(double speed) {
    return std::pow(0.25, speed);
}

void SCAutoPlayback::playNoteAtIndex(std::uint32_t index) {
    player_.playNoteAtIndex(index);
    if (requested_) {
        requested_(index);
    }
}

void SCAutoPlayback::strum(const SCScale& scale, int direction, bool playAllNotes, double speed) {
    const auto& notes = scale.notes();
    if (notes.empty() || direction == 0) {
        return;
    }
    const auto count = static_cast<std::uint32_t>(notes.size());
    if (playAllNotes) {
        range_ = {0, count};
    } else {
        for (std::uint32_t i = 0; i < count; ++i) {
            if (notes[i].isRoot()) {
                range_ = {i, count - i};
                break;
            }
        }
    }
    if (range_.location >= count) {
        return; // no range yet, or a kept one beyond this pattern: nothing to play
    }
    range_.length = std::min(range_.length, count - range_.location);
    incrementor_ = direction > 0 ? 1 : -1;
    loop_ = direction == 2 || direction == -2;
    playNoteAtIndex(direction > 0 ? range_.location : range_.location + range_.length - 1);
    stop();
    timer_ = timers_.scheduleRepeating(intervalForSpeed(speed), [this] { playNextNote(); });
}

void SCAutoPlayback::playNextNote() {
    const std::uint32_t current = player_.playbackNoteIndex();
    if (current == SCNotePlayer::kNone) {
        return; // the note asked for has not started yet
    }
    const auto next = static_cast<std::int64_t>(current) + incrementor_;
    if (next == std::int64_t{range_.location} + range_.length || next < range_.location) {
        if (loop_) {
            incrementor_ = -incrementor_;
            loop_ = false;
            playNoteAtIndex(
                static_cast<std::uint32_t>(static_cast<std::int64_t>(current) + incrementor_));
        } else {
            stop();
        }
        return;
    }
    playNoteAtIndex(static_cast<std::uint32_t>(next));
}

void SCAutoPlayback::stop() {
    if (timer_) {
        timer_->invalidate();
        timer_.reset();
    }
}

} // namespace fretkit
