#pragma once

#include "TNEstimateSmoother.h"
#include "TNTunerResult.h"
#include "TNTunings.h"
#include "f0est/AFFrequencyDetector.h"
#include "host/Realtime.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

namespace fretkit {
class UserDefaults;
}

// The tuner without its screen: it takes the microphone's samples on the audio thread, lights
// the level lamps, runs the pitch estimator on an analysis thread of its own, smooths the
// estimates in semitones and hands each result to the main thread without waiting. The screen
// and the command-line tool share it.
class TNTunerEngine : private AFFrequencyDetectorDelegate {
public:
    static constexpr const char* kTuningKey = "TN_tuning";
    static constexpr const char* kDetuneKey = "TN_detune";
    static constexpr const char* kReferenceKey = "TN_reference";
    // Lamp i (1 the loudest) is lit when the RMS level, relative to full scale, is above
    // kLampThresholds[i - 1]: about -10, -20, -30 and -40 dB.
    static constexpr double kLampThresholds[4] = {0.31622, 0.1, 0.03162, 0.01};
    // Input buffers are converted to floats in slices of at most this many frames.
    static constexpr std::uint32_t kFloatBufferFrames = 4096;

    using ResultHandler = std::function<void(const TNTunerResult&)>;

    // Registers the defaults of the three settings: tuning 0 ("Chromatic"), detune 0, A4 at 440.
    static void registerDefaults(fretkit::UserDefaults& defaults);

    // An engine for input at `sampleRate`; null, after a log line, when the estimator cannot be
    // created.
    static std::unique_ptr<TNTunerEngine> create(double sampleRate, TNTunings tunings);
    ~TNTunerEngine() override;
    TNTunerEngine(const TNTunerEngine&) = delete;
    TNTunerEngine& operator=(const TNTunerEngine&) = delete;

    // Main thread: settings. The analysis thread reads these working copies.
    const TNTunings& tunings() const { return tunings_; }
    void reloadSettings(const fretkit::UserDefaults& defaults);
    void setTuningIndex(std::size_t index) { tuningIndex_ = index; }
    void setDetune(int semitones) { detune_ = semitones; }
    void setReference(double hertz) { reference_ = hertz; }
    std::size_t tuningIndex() const { return tuningIndex_; }
    int detune() const { return detune_; }
    double reference() const { return reference_; }

    // Main thread: receives every result, on the main thread. Results still queued when the
    // engine is destroyed are dropped.
    void setResultHandler(ResultHandler handler);

    // Audio thread: one input buffer's first channel of 16-bit samples. Sets the lamps from its
    // RMS level, converts it to floats (sample / 32768) and appends them to the estimator. No
    // lock, no allocation; the only system call is waking a sleeping analysis thread, at most
    // once per analysis pass. One audio thread at a time.
    void input(const std::int16_t* samples, std::uint32_t frames,
               double sampleTime) FRETKIT_NONBLOCKING;
    // The two halves of input(), for callers that know the level of a buffer of several channels.
    void setLevel(int rms) FRETKIT_NONBLOCKING;
    void submit(const std::int16_t* samples, std::uint32_t frames,
                double sampleTime) FRETKIT_NONBLOCKING;
    // Bit i set when lamp i + 1 is lit; any thread.
    unsigned levelLamps() const { return lamps_.load(std::memory_order_relaxed); }

    // Main thread: the analysis thread, which analyses the newest samples whenever new ones
    // have arrived and sleeps otherwise. Stopping waits for the pass under way.
    void startAnalysis();
    void stopAnalysis();
    bool isAnalysing() const { return analysisThread_.joinable(); }
    // One analysis pass on the calling thread, for callers that pace the passes themselves
    // (reading a file). Not while the analysis thread runs.
    void analyseOnce();

    static int rmsOf(const std::int16_t* samples, std::uint32_t frames) FRETKIT_NONBLOCKING;

private:
    struct HandlerSlot {
        ResultHandler handler;
    };

    TNTunerEngine(std::unique_ptr<AFFrequencyDetector> detector, TNTunings tunings);
    void analysis();
    void detectedFrequency(double frequency, double quality) override;
    void hand(TNTunerResult result);
    void wakeAnalysis() FRETKIT_NONBLOCKING;

    TNTunings tunings_;
    std::atomic<std::size_t> tuningIndex_{0};
    std::atomic<int> detune_{0};
    std::atomic<double> reference_{440.0};

    // Audio thread only.
    std::array<float, kFloatBufferFrames> floatBuffer_{};
    std::atomic<unsigned> lamps_{0};
    std::atomic<std::uint64_t> framesSubmitted_{0};

    std::unique_ptr<AFFrequencyDetector> detector_;
    std::thread analysisThread_;
    std::atomic<bool> cancelled_{false};
    // Bumped to wake the analysis thread (new input while it sleeps, or a cancel); it sleeps on
    // it. The thread raises `sleeping_` before it sleeps, and the first submission after that
    // lowers it and wakes the thread: one wake-up per pass at most, not one per buffer.
    std::atomic<std::uint32_t> wake_{0};
    std::atomic<bool> sleeping_{false};

    // Analysis thread only.
    TNEstimateSmoother smoother_;
    std::uint64_t passFrames_ = 0;

    std::shared_ptr<HandlerSlot> handlerSlot_ = std::make_shared<HandlerSlot>();
};
