#include "CHChordPlayer.h"

#include "CHChordLoader.h"
#include "audio/QVAudioBuffer.h"
#include "audio/QVSampleDecoder.h"

#include <array>

namespace fretkit {

CHChordPlayer::CHChordPlayer(QVRenderLockPtr renderLock, const Bundle& bundle, double rate)
    : bundle_(bundle), rate_(rate),
      player_(std::move(renderLock), QVSampleDecoder(rate).stringSampleFrames()) {}

CHChordPlayer::~CHChordPlayer() {
    queue_.cancelAllOperations();
    queue_.waitUntilAllOperationsAreFinished();
}

void CHChordPlayer::setChord(const CHChord& chord) {
    std::array<CHStringPlayer::Sample, CHStringPlayer::kStrings> old;
    std::uint64_t generation = 0;
    {
        std::lock_guard lock(player_.renderLock());
        for (unsigned s = 0; s < CHStringPlayer::kStrings; ++s) {
            old[s] = player_.exchangeSampleLocked(s, nullptr);
        }
        generation = ++generation_;
    }
    player_.stopPlayback();
    {
        std::lock_guard lock(problemsMutex_);
        problems_.clear();
    }
    queue_.cancelAllOperations();
    queue_.addOperation(std::make_shared<CHChordLoader>(
        chord, bundle_, rate_,
        [this, generation](unsigned s, std::unique_ptr<QVAudioBuffer> sample) {
            deliver(generation, s, std::move(sample));
        },
        [this](const std::string& problem) {
            std::lock_guard lock(problemsMutex_);
            problems_.push_back(problem);
        }));
    // The old samples are freed here, outside the render lock.
}

void CHChordPlayer::deliver(std::uint64_t generation, unsigned string,
                            std::unique_ptr<QVAudioBuffer> sample) {
    CHStringPlayer::Sample old(std::move(sample));
    std::lock_guard lock(player_.renderLock());
    if (generation == generation_) {
        old = player_.exchangeSampleLocked(string, std::move(old));
    }
    // A sample for an earlier shape, or the one replaced, is freed after the lock is released:
    // `old` is destroyed after `lock`.
}

void CHChordPlayer::waitUntilLoaded() {
    queue_.waitUntilAllOperationsAreFinished();
}

std::vector<std::string> CHChordPlayer::problems() const {
    std::lock_guard lock(problemsMutex_);
    return problems_;
}

} // namespace fretkit
