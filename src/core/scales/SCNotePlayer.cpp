#include "SCNotePlayer.h"

#include "audio/QVAudioBuffer.h"

#include <algorithm>
#include <cstring>

namespace fretkit {

void SCNotePlayer::playNoteAtIndex(std::uint32_t index) {
    next_.store(index, std::memory_order_release);
}

std::vector<SCNotePlayer::Sample> SCNotePlayer::resetLocked(std::vector<Sample> fresh) {
    fresh.clear();
    notes_.swap(fresh);
    noteCount_.store(0, std::memory_order_relaxed);
    playback_.store(kNone, std::memory_order_release);
    next_.store(kNone, std::memory_order_release);
    position_ = 0;
    return fresh;
}

void SCNotePlayer::appendLocked(Sample sample) {
    if (notes_.size() < notes_.capacity()) {
        notes_.push_back(std::move(sample)); // within the capacity: no allocation
        noteCount_.store(notes_.size(), std::memory_order_relaxed);
    }
}

bool SCNotePlayer::renderAudioToBuffer(QVAudioBuffer& buffer, const QVAudioTimeStamp&) {
    std::uint32_t index = playback_.load(std::memory_order_acquire);
    if (index == kNone) {
        index = next_.exchange(kNone, std::memory_order_acq_rel);
        if (index == kNone) {
            return false;
        }
        playback_.store(index, std::memory_order_release);
        position_ = 0;
    }
    if (index >= notes_.size()) {
        return false; // not loaded yet: the note waits
    }
    const QVAudioBuffer* source = notes_[index].get();
    const std::uint32_t length = source != nullptr ? source->frames() : silentFrames_;
    const std::uint32_t n = std::min(length - std::min(position_, length), buffer.frames());
    const bool fading = next_.load(std::memory_order_acquire) != kNone;
    if (source != nullptr) {
        const std::int16_t* from = source->channel(0) + position_;
        std::int16_t* out = buffer.channel(0);
        for (std::uint32_t j = 0; j < n; ++j) {
            float s = from[j];
            if (fading) {
                s = static_cast<float>(static_cast<std::int32_t>(s * static_cast<float>(n - j) /
                                                                 static_cast<float>(n)));
            }
            out[j] = QVAudioBuffer::saturated(out[j] + static_cast<std::int32_t>(s));
        }
        if (buffer.numberOfChannels() > 1) {
            std::memcpy(buffer.channel(1), buffer.channel(0),
                        buffer.frames() * sizeof(std::int16_t));
        }
    }
    position_ += n;
    if (position_ >= length || fading) {
        playback_.store(next_.exchange(kNone, std::memory_order_acq_rel),
                        std::memory_order_release);
        position_ = 0;
    }
    return source != nullptr;
}

} // namespace fretkit
