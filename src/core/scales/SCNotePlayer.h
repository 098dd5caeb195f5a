#pragma once

#include "audio/QVAudioStreamDelegate.h"
#include "host/Realtime.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class QVAudioBuffer;
class QVAudioTimeStamp;

namespace fretkit {

// Plays the notes of a scale pattern one at a time from their samples. A request while a note
// sounds fades that note out over the next buffer and starts the new one at the buffer after;
// a note plays once from its start and stops at its end. A request for a note whose sample is
// not loaded yet waits and starts as soon as the sample is there.
//
// Requests (playNoteAtIndex) are single atomic words and need no lock; the note samples are
// changed only under the render lock, which the render runs under.
class SCNotePlayer final : public QVAudioStreamDelegate, public QVAudioStreamRenderer {
public:
    static constexpr std::uint32_t kNone = 2147483647;
    using Sample = std::shared_ptr<const QVAudioBuffer>;

    // `silentFrames`: how long a note without a sample (missing from the bundle) stays silent.
    explicit SCNotePlayer(std::uint32_t silentFrames) : silentFrames_(silentFrames) {}

    void setRenderLock(std::mutex* lock) { lock_ = lock != nullptr ? lock : &ownLock_; }
    std::mutex& renderLock() const { return *lock_; }

    // Main thread, without the lock.
    void playNoteAtIndex(std::uint32_t index);
    std::uint32_t playbackNoteIndex() const { return playback_.load(std::memory_order_acquire); }
    std::uint32_t nextPlaybackNoteIndex() const { return next_.load(std::memory_order_acquire); }

    // Main thread, render lock held by the caller: drops every note and request and takes
    // `fresh` (empty, its capacity reserved beforehand) for the next notes. Answers the old
    // notes, to be freed by the caller outside the lock.
    std::vector<Sample> resetLocked(std::vector<Sample> fresh);
    // Any thread, under the render lock: the next note's sample (null: a silent note). Notes
    // beyond the capacity are dropped.
    void appendLocked(Sample sample);
    std::size_t noteCount() const;

    // Audio thread, render lock held; the buffer arrives zeroed.
    bool renderAudioToBuffer(QVAudioBuffer& buffer,
                             const QVAudioTimeStamp& timeStamp) FRETKIT_NONBLOCKING override;

private:
    std::mutex ownLock_;
    std::mutex* lock_ = &ownLock_;
    const std::uint32_t silentFrames_;

    std::atomic<std::uint32_t> playback_{kNone};
    std::atomic<std::uint32_t> next_{kNone};
    // Under the render lock.
    std::vector<Sample> notes_;
    std::uint32_t position_ = 0;
};

} // namespace fretkit
