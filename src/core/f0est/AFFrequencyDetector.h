#pragma once

#include "AFFrequencyDetectorDelegate.h"
#include "host/Realtime.h"

#include <cstdint>
#include <memory>

struct nu_dsp_f0est_internal_t;

// Estimates the fundamental frequency of a monophonic signal, a plucked string, by
// autocorrelation. The audio thread appends samples with submitAudio(); an analysis thread calls
// detectFrequency() over and over, and each pass that finds a periodicity tells the delegate.
class AFFrequencyDetector {
public:
    // A detector for frames of 2^windowSize points (14 gives 16384, of which the most recent
    // 8192 samples are analysed). The frequency limits are kept for callers but do not limit the
    // search. Null, after a log line, when the work areas cannot be acquired.
    static std::unique_ptr<AFFrequencyDetector> create(double sampleRate, double minimumFrequency,
                                                       double maximumFrequency,
                                                       std::uint32_t windowSize);
    ~AFFrequencyDetector();
    AFFrequencyDetector(const AFFrequencyDetector&) = delete;
    AFFrequencyDetector& operator=(const AFFrequencyDetector&) = delete;

    // Audio thread: appends samples to a lock-free ring; no lock, no allocation, no system call.
    // One thread at a time. The time stamp is not used by the estimate.
    void submitAudio(const float* samples, std::uint32_t frames,
                     double timeStamp) FRETKIT_NONBLOCKING;

    // Analysis thread: one pass over the most recent samples; may call the delegate once, with
    // the frequency of the fundamental partial where the spectrum shows it. Allocates nothing.
    // Not to be called from two threads at once.
    void detectFrequency();

    AFFrequencyDetectorDelegate* delegate() const { return delegate_; }
    // Not owned. Set it before the analysis thread starts.
    void setDelegate(AFFrequencyDetectorDelegate* delegate) { delegate_ = delegate; }

    double sampleRate() const;

private:
    explicit AFFrequencyDetector(nu_dsp_f0est_internal_t* me) : me_(me) {}

    nu_dsp_f0est_internal_t* me_;
    AFFrequencyDetectorDelegate* delegate_ = nullptr;
};
