#include "SCScalePlayer.h"

#include "SCScaleLoader.h"
#include "audio/QVAudioBuffer.h"
#include "audio/QVSampleDecoder.h"

namespace fretkit {

SCScalePlayer::SCScalePlayer(QVRenderLockPtr renderLock, const Bundle& bundle, double rate,
                             TimerScheduler& timers)
    : bundle_(bundle), rate_(rate),
      player_(std::move(renderLock), QVSampleDecoder(rate).stringSampleFrames()),
      autoPlayback_(player_, timers) {}

SCScalePlayer::~SCScalePlayer() {
    queue_.cancelAllOperations();
    queue_.waitUntilAllOperationsAreFinished();
}

void SCScalePlayer::setScale(const SCScale& scale) {
    scale_ = scale;
    autoPlayback_.stop();
    std::vector<SCNotePlayer::Sample> fresh;
    fresh.reserve(scale.notes().size()); // appending within it never allocates under the lock
    std::vector<SCNotePlayer::Sample> old;
    std::uint64_t generation = 0;
    {
        std::lock_guard lock(player_.renderLock());
        old = player_.resetLocked(std::move(fresh));
        generation = ++generation_;
    }
    {
        std::lock_guard lock(problemsMutex_);
        problems_.clear();
    }
    queue_.cancelAllOperations();
    queue_.addOperation(std::make_shared<SCScaleLoader>(
        scale, bundle_, rate_,
        [this, generation](std::unique_ptr<QVAudioBuffer> sample) {
            deliver(generation, std::move(sample));
        },
        [this](const std::string& problem) {
            std::lock_guard lock(problemsMutex_);
            problems_.push_back(problem);
        }));
}

void SCScalePlayer::deliver(std::uint64_t generation, std::unique_ptr<QVAudioBuffer> sample) {
    SCNotePlayer::Sample note(std::move(sample));
    std::lock_guard lock(player_.renderLock());
    if (generation == generation_) {
        player_.appendLocked(std::move(note));
    }
    // A note of an earlier pattern is freed after the lock is released.
}

void SCScalePlayer::touchNote(std::uint32_t index) {
    autoPlayback_.stop();
    autoPlayback_.playNoteAtIndex(index);
}

void SCScalePlayer::strum(int direction, bool playAllNotes, double speed) {
    autoPlayback_.strum(scale_, direction, playAllNotes, speed);
}

bool SCScalePlayer::isIdle() const {
    return !autoPlayback_.isRunning() && player_.playbackNoteIndex() == SCNotePlayer::kNone &&
           player_.nextPlaybackNoteIndex() == SCNotePlayer::kNone;
}

void SCScalePlayer::waitUntilLoaded() {
    queue_.waitUntilAllOperationsAreFinished();
}

std::vector<std::string> SCScalePlayer::problems() const {
    std::lock_guard lock(problemsMutex_);
    return problems_;
}

} // namespace fretkit
