#pragma once

#include "nu_dsp_fft.h"

#include <cstdint>
#include <mutex>

// The fundamental-frequency estimator's state and passes. A ring buffer collects samples from
// the audio thread; each analysis pass takes the most recent half frame, computes its
// autocorrelation through the FFT (zero-padded to the full frame, so the circular correlation
// equals the linear one), finds the positive regions of the normalised autocorrelation and picks
// the period of the fundamental among them.

// One positive region of the normalised autocorrelation.
struct nu_dsp_f0est_region_t {
    std::uint32_t start;
    std::uint32_t end;
    std::uint32_t peak;
    double period; // seconds, with the peak interpolated between lags
    float value;   // the normalised autocorrelation at the peak lag
};

struct nu_dsp_f0est_internal_t {
    static constexpr std::uint32_t kFifoSize = 65536;

    double sampleRate = 0.0;
    double peakThreshold = 0.95;
    double harmonicTolerance = 0.05;
    std::mutex fifo_lock; // guards fifo and fifoCount
    float* fifo = nullptr;
    std::uint32_t fifoCount = 0; // samples ever written; the write position is its low 16 bits
    std::uint32_t log2Size = 0;
    std::uint32_t size = 0;
    nu_dsp_complex_f* fft_in = nullptr;
    nu_dsp_complex_f* fft_out = nullptr;
    float* auto_norm = nullptr; // lags 0 ... size/2 - 1
    nu_dsp_fft_cf_t* fft_cf = nullptr;
    std::uint32_t regionCapacity = 0;
    nu_dsp_f0est_region_t* regions = nullptr;
};

// Acquires every work area for a frame of 2^log2Size points, or logs why it could not and
// answers null with nothing left allocated.
nu_dsp_f0est_internal_t* nu_dsp_f0est__create(double sampleRate, std::uint32_t log2Size);
void nu_dsp_f0est__destroy(nu_dsp_f0est_internal_t* me);

// Appends samples to the ring buffer under fifo_lock; nothing else, so the audio thread may call
// it.
void nu_dsp_f0est__submit(nu_dsp_f0est_internal_t* me, const float* samples, std::uint32_t frames);

// One analysis pass over the most recent samples. Answers true with the frequency (Hz) and the
// quality (the chosen region's peak value, in (0, 1]) when it finds a periodicity. Allocates
// nothing; must not run on two threads at once.
bool nu_dsp_f0est__detect(nu_dsp_f0est_internal_t* me, double* frequency, double* quality);
