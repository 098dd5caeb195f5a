#include "MTBeatEngine.h"

#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioTimeStamp.h"
#include "audio/QVTimeBase.h"

#include <algorithm>
#include <cmath>
#include <cstring>

MTBeatEngine::MTBeatEngine(QVRenderLockPtr renderLock, double sampleRate, unsigned tempo)
    : lock_(std::move(renderLock)), tempo_(tempo), sampleRate_(sampleRate) {
    // The shared time base is made here, on the main thread: the render only reads it.
    QVTimeBase::timeBase();
}

void MTBeatEngine::setTempo(unsigned tempo) {
    std::lock_guard lock(*lock_);
    tempo_.store(tempo, std::memory_order_relaxed);
}

void MTBeatEngine::setSampleRate(double rate) {
    std::lock_guard lock(*lock_);
    sampleRate_ = rate;
}

void MTBeatEngine::setSoundData(std::vector<std::int16_t> samples) {
    {
        std::lock_guard lock(*lock_);
        soundData_.swap(samples);
        soundCursor_ = kIdleCursor;
    }
    // The old click is freed here, outside the lock.
}

void MTBeatEngine::start() {
    std::lock_guard lock(*lock_);
    beatCount_ = -1;
    beatPolarity_ = false;
    currentTick_.store(0.0, std::memory_order_relaxed);
    // A click cut by an earlier stop must not resume over the first beat.
    soundCursor_ = kIdleCursor;
    framesRendered_.store(0, std::memory_order_release);
    signal_.take(); // a beat of the previous run is no longer to be shown
}

void MTBeatEngine::stop() {
    std::lock_guard lock(*lock_);
    currentTick_.store(-1.0, std::memory_order_relaxed);
}

void MTBeatEngine::setTimeSignature(MTTimeSignature signature) {
    timeSignature_.store(signature.encoded(), std::memory_order_relaxed);
}

MTTimeSignature MTBeatEngine::timeSignature() const {
    return MTTimeSignature(timeSignature_.load(std::memory_order_relaxed));
}

bool MTBeatEngine::renderAudioToBuffer(QVAudioBuffer& buffer, const QVAudioTimeStamp& timeStamp) {
    // Only this cycle writes them while it runs: the main thread waits for the lock to.
    const double tick = currentTick();
    const unsigned tempo = this->tempo();
    if (tick == -1.0 || tempo == 0 || sampleRate_ <= 0.0) {
        return true;
    }
    const bool dated =
        (timeStamp.timeStamp().mFlags & fretkit::host::kAudioTimeStampHostTimeValid) != 0;
    cycleNanoseconds_ = dated ? timeStamp.nanoseconds() : 0;
    const std::uint32_t frames = buffer.frames();
    const double tickSeconds = (60.0 / tempo) / kTicksPerBeat;
    const double bufferTicks = (frames / sampleRate_) / tickSeconds;

    continueBeatToBuffer(buffer, 0);
    if (tick == 0.0) {
        playBeatToBuffer(buffer, 0);
    } else {
        const double phase = std::fmod(tick, kTicksPerBeat);
        if (phase + bufferTicks >= kTicksPerBeat) {
            const double at = std::round(((kTicksPerBeat - phase) / bufferTicks) * frames);
            playBeatToBuffer(buffer, static_cast<std::uint32_t>(at));
        }
    }
    if (buffer.numberOfChannels() > 1) {
        std::memcpy(buffer.channel(1), buffer.channel(0), frames * sizeof(std::int16_t));
    }
    currentTick_.store(tick + bufferTicks, std::memory_order_relaxed);
    framesRendered_.fetch_add(frames, std::memory_order_acq_rel);
    return true;
}

void MTBeatEngine::playBeatToBuffer(QVAudioBuffer& buffer, std::uint32_t frame) {
    beatCount_ += 1;
    beatPolarity_ = !beatPolarity_;
    soundCursor_ = 0;
    continueBeatToBuffer(buffer, frame);
    const MTTimeSignature signature = timeSignature();
    const auto beat = static_cast<std::uint32_t>(beatCount_);
    const std::uint64_t at =
        cycleNanoseconds_ == 0
            ? 0
            : cycleNanoseconds_ + static_cast<std::uint64_t>(frame / sampleRate_ * 1e9 + 0.5);
    signal_.post({beat, beatPolarity_, signature.startsBar(beat), signature.isAccented(beat), at});
}

void MTBeatEngine::continueBeatToBuffer(QVAudioBuffer& buffer, std::uint32_t frame) {
    const auto length = static_cast<std::uint32_t>(soundData_.size());
    const std::uint32_t frames = buffer.frames();
    if (soundCursor_ >= length || frame >= frames) {
        return;
    }
    const bool accented = timeSignature().isAccented(static_cast<std::uint32_t>(beatCount_));
    const float gain = accented ? kAccentGain : kPlainGain;
    const std::uint32_t n = std::min(frames - frame, length - soundCursor_);
    const std::int16_t* click = soundData_.data() + soundCursor_;
    std::int16_t* out = buffer.channel(0) + frame;
    for (std::uint32_t i = 0; i < n; ++i) {
        const float v = std::round(static_cast<float>(click[i]) * gain);
        const double t = static_cast<double>(out[i]) + static_cast<double>(v);
        out[i] = t <= -32768.0  ? std::int16_t{-32768}
                 : t >= 32767.0 ? std::int16_t{32767}
                                : static_cast<std::int16_t>(t);
    }
    soundCursor_ += n;
}
