#pragma once

#include "SCAutoPlayback.h"
#include "SCNotePlayer.h"
#include "SCScale.h"
#include "foundation/OperationQueue.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace fretkit {

class Bundle;
class TimerScheduler;

// The scales screen's playback: the shown pattern's note samples, loaded in the background
// whenever the pattern changes, played one note at a time by touch or by a strum.
class SCScalePlayer {
public:
    // `renderLock`: the lock of the stream the notes play through (never null).
    SCScalePlayer(QVRenderLockPtr renderLock, const Bundle& bundle, double rate,
                  TimerScheduler& timers);
    ~SCScalePlayer();
    SCScalePlayer(const SCScalePlayer&) = delete;
    SCScalePlayer& operator=(const SCScalePlayer&) = delete;

    // The stream's delegate.
    SCNotePlayer& player() { return player_; }
    const SCNotePlayer& player() const { return player_; }
    SCAutoPlayback& autoPlayback() { return autoPlayback_; }

    // Main thread. Drops the notes, requests and strum of the previous pattern and loads this
    // one's samples, cancelling the load still running for the previous one.
    void setScale(const SCScale& scale);
    const SCScale& scale() const { return scale_; }
    // A touched marker: ends any strum and plays the note.
    void touchNote(std::uint32_t index);
    void strum(int direction, bool playAllNotes, double speed);
    // Nothing sounds, is asked for, or is still to come from a strum.
    bool isIdle() const;

    void waitUntilLoaded();
    std::vector<std::string> problems() const;

private:
    void deliver(std::uint64_t generation, std::unique_ptr<QVAudioBuffer> sample);

    const Bundle& bundle_;
    const double rate_;
    SCNotePlayer player_;
    SCAutoPlayback autoPlayback_;
    SCScale scale_;
    std::uint64_t generation_ = 0; // under the render lock
    mutable std::mutex problemsMutex_;
    std::vector<std::string> problems_;
    OperationQueue queue_;
};

} // namespace fretkit
