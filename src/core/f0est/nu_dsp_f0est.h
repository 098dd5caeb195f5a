#pragma once

#include "AFSampleRing.h"
#include "host/Realtime.h"
#include "nu_dsp_fft.h"
#include "nu_dsp_partial.h"

#include <cstdint>

// The fundamental-frequency estimator's state and passes. A lock-free ring collects samples from
// the audio thread; each analysis pass takes the most recent half frame, computes its
// autocorrelation through the FFT (zero-padded to the full frame, so the circular correlation
// equals the linear one), finds the positive regions of the normalised autocorrelation and picks
// the period of the fundamental among them. A last stage then measures the frequency of the
// fundamental partial itself in the frame's spectrum: a string's upper partials are sharp, and
// they pull the period's frequency above the fundamental's.

// One positive region of the normalised autocorrelation.
struct nu_dsp_f0est_region_t {
    std::uint32_t start;
    std::uint32_t end;
    std::uint32_t peak;
    double period; // seconds, with the peak interpolated between lags
    float value;   // the normalised autocorrelation at the peak lag
};

struct nu_dsp_f0est_internal_t {
    static constexpr std::uint32_t kLog2FifoSize = 16;

    double sampleRate = 0.0;
    double peakThreshold = 0.95;
    double harmonicTolerance = 0.05;
    // The fundamental partial is looked for within this many cents of the period's frequency,
    // and taken only when it holds at least this share of the frame's energy.
    double partialToleranceCents = 20.0;
    double partialMinimumShare = 1e-3;
    // How far, typically, the period's frequency lies from the fundamental partial's (the pull
    // of the sharp upper partials and the interpolation between lags): a partial reading is
    // trusted in the measure that its own expected error is smaller.
    double periodDeviationCents = 1.0;
    AFSampleRing fifo{kLog2FifoSize};
    std::uint32_t log2Size = 0;
    std::uint32_t size = 0;
    float* frame = nullptr; // the newest size/2 samples, as copied from fifo
    nu_dsp_complex_f* fft_in = nullptr;
    nu_dsp_complex_f* spectrum = nullptr; // the frame's transform, kept for the last stage
    nu_dsp_complex_f* fft_out = nullptr;
    float* auto_norm = nullptr; // lags 0 ... size/2 - 1
    nu_dsp_fft_cf_t* fft_cf = nullptr;
    std::uint32_t regionCapacity = 0;
    nu_dsp_f0est_region_t* regions = nullptr;
    nu_dsp_partial_window_t* partial_window = nullptr; // over size/2 points
};

// Acquires every work area for a frame of 2^log2Size points, or logs why it could not and
// answers null with nothing left allocated.
nu_dsp_f0est_internal_t* nu_dsp_f0est__create(double sampleRate, std::uint32_t log2Size);
void nu_dsp_f0est__destroy(nu_dsp_f0est_internal_t* me);

// Audio thread: appends samples to the ring; no lock, no allocation, no system call.
void nu_dsp_f0est__submit(nu_dsp_f0est_internal_t* me, const float* samples,
                          std::uint32_t frames) FRETKIT_NONBLOCKING;

// Analysis thread: one pass over the most recent samples. Answers true with the frequency (Hz)
// and the quality (the chosen region's peak value, in (0, 1]) when it finds a periodicity; the
// frequency is that of the fundamental partial when the spectrum shows it near the period's,
// else the period's. Allocates nothing; must not run on two threads at once.
bool nu_dsp_f0est__detect(nu_dsp_f0est_internal_t* me, double* frequency, double* quality);
