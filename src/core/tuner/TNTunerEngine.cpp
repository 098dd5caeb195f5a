#include "TNTunerEngine.h"

#include "foundation/Log.h"
#include "foundation/MainThread.h"
#include "foundation/UserDefaults.h"

#include <algorithm>
#include <cmath>

using fretkit::PlistValue;
using fretkit::UserDefaults;

namespace {

// The estimator's frame: 2^14 points, of which the newest 8192 samples are analysed.
constexpr std::uint32_t kWindowSize = 14;
constexpr double kMinimumFrequency = 75.0;
constexpr double kMaximumFrequency = 700.0;

} // namespace

void TNTunerEngine::registerDefaults(UserDefaults& defaults) {
    defaults.registerDefaults(PlistValue::dictionary(
        {{kTuningKey, 0}, {kDetuneKey, 0}, {kReferenceKey, PlistValue(440.0f)}}));
}

std::unique_ptr<TNTunerEngine> TNTunerEngine::create(double sampleRate, TNTunings tunings) {
    auto detector =
        AFFrequencyDetector::create(sampleRate, kMinimumFrequency, kMaximumFrequency, kWindowSize);
    if (!detector) {
        fretkit::Log::line("TNTunerEngine: the pitch estimator could not be created");
        return nullptr;
    }
    return std::unique_ptr<TNTunerEngine>(
        new TNTunerEngine(std::move(detector), std::move(tunings)));
}

TNTunerEngine::TNTunerEngine(std::unique_ptr<AFFrequencyDetector> detector, TNTunings tunings)
    : tunings_(std::move(tunings)), detector_(std::move(detector)) {
    detector_->setDelegate(this);
}

TNTunerEngine::~TNTunerEngine() {
    stopAnalysis();
    handlerSlot_->handler = nullptr;
}

void TNTunerEngine::reloadSettings(const UserDefaults& defaults) {
    const std::int64_t index = defaults.integerForKey(kTuningKey);
    tuningIndex_ = index < 0 ? 0 : static_cast<std::size_t>(index);
    detune_ = static_cast<int>(defaults.objectForKey(kDetuneKey).intValue());
    reference_ = defaults.doubleForKey(kReferenceKey);
}

void TNTunerEngine::setResultHandler(ResultHandler handler) {
    handlerSlot_->handler = std::move(handler);
}

int TNTunerEngine::rmsOf(const std::int16_t* samples, std::uint32_t frames) {
    if (frames == 0) {
        return 0;
    }
    double sum = 0.0;
    for (std::uint32_t i = 0; i < frames; ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
    }
    return static_cast<int>(std::fmin(std::round(std::sqrt(sum / frames)), 32767.0));
}

void TNTunerEngine::input(const std::int16_t* samples, std::uint32_t frames, double sampleTime) {
    setLevel(rmsOf(samples, frames));
    submit(samples, frames, sampleTime);
}

void TNTunerEngine::setLevel(int rms) {
    const double level = rms / 32767.0;
    unsigned lamps = 0;
    for (unsigned i = 0; i < 4; ++i) {
        if (level > kLampThresholds[i]) {
            lamps |= 1u << i;
        }
    }
    lamps_.store(lamps, std::memory_order_relaxed);
}

void TNTunerEngine::submit(const std::int16_t* samples, std::uint32_t frames, double sampleTime) {
    // The float buffer is allocated once, with the engine: a larger hardware buffer is converted
    // and handed over in slices.
    for (std::uint32_t done = 0; done < frames;) {
        const std::uint32_t slice = std::min(frames - done, kFloatBufferFrames);
        for (std::uint32_t i = 0; i < slice; ++i) {
            floatBuffer_[i] = static_cast<float>(samples[done + i]) * (1.0f / 32768.0f);
        }
        detector_->submitAudio(floatBuffer_.data(), slice, sampleTime + done);
        done += slice;
    }
    framesSubmitted_.fetch_add(frames);
    wakeAnalysis();
}

void TNTunerEngine::wakeAnalysis() {
    // Sequentially consistent with the thread's own raising of `sleeping_` and reading of
    // `framesSubmitted_`: either it sees the new frames and does not sleep, or this sees it
    // sleeping and wakes it.
    if (sleeping_.load() && sleeping_.exchange(false)) {
        wake_.fetch_add(1, std::memory_order_release);
        // The one system call of the input path, a futex wake that never blocks, made at most
        // once per analysis pass because only a sleeping thread raises `sleeping_`.
        [[maybe_unused]] fretkit::host::RealtimeBlockingAllowed wakeUp;
        wake_.notify_one();
    }
}

void TNTunerEngine::startAnalysis() {
    if (analysisThread_.joinable()) {
        return;
    }
    cancelled_ = false;
    analysisThread_ = std::thread([this] { analysis(); });
}

void TNTunerEngine::stopAnalysis() {
    if (!analysisThread_.joinable()) {
        return;
    }
    cancelled_ = true;
    wake_.fetch_add(1, std::memory_order_release);
    wake_.notify_all();
    analysisThread_.join();
}

void TNTunerEngine::analysis() {
    for (;;) {
        const std::uint32_t seen = wake_.load(std::memory_order_acquire);
        analyseOnce();
        if (cancelled_) {
            return;
        }
        // A pass over the same samples would give the same answer: sleep until new ones come
        // or the thread is cancelled, unless some came during the pass.
        sleeping_ = true;
        if (framesSubmitted_.load() != passFrames_) {
            sleeping_ = false;
            continue;
        }
        wake_.wait(seen, std::memory_order_acquire);
        if (cancelled_) {
            return;
        }
    }
}

void TNTunerEngine::analyseOnce() {
    passFrames_ = framesSubmitted_.load();
    detector_->detectFrequency();
}

void TNTunerEngine::detectedFrequency(double frequency, double quality) {
    const double reference = reference_;
    const TNEstimateSmoother::Outcome outcome = smoother_.add(frequency, quality, reference);
    if (outcome == TNEstimateSmoother::Outcome::Ignored) {
        return;
    }
    TNTunerResult result{frequency, quality, passFrames_, std::nullopt};
    if (outcome == TNEstimateSmoother::Outcome::Accepted) {
        result.note =
            TNNote::make(smoother_.smoothedSemitone(), tunings_.at(tuningIndex_), detune_);
    }
    hand(std::move(result));
}

void TNTunerEngine::hand(TNTunerResult result) {
    fretkit::MainThread::perform([slot = handlerSlot_, result = std::move(result)] {
        if (slot->handler) {
            slot->handler(result);
        }
    });
}
