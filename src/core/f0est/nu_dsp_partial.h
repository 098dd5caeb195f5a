#pragma once

#include "nu_dsp_fft.h"

#include <cstdint>

// Measures the frequency of one partial of a frame far more finely than the spacing of its
// spectrum's bins. It takes the ratio, at the partial's peak, of the spectrum taken with the
// derivative of a smooth window to the spectrum taken with the window itself: for one sinusoid,
// steady or decaying exponentially, that ratio gives the frequency exactly wherever it lies
// between the bins (summing by parts), and its real part the decay. What remains is the leakage
// of other partials and noise, which the window's low side lobes keep small.
//
// The whole frame is measured in the frequency domain from the transform the estimator already
// has (H samples zero-padded to N = 2H points): every cosine of the window shifts the spectrum by
// whole bins, so the windowed spectrum costs a few bins. A frame that holds a note's attack is
// measured in the time domain over its newest part, after the attack, since the silence or the
// other note before it would bias the whole frame's reading.

struct nu_dsp_partial_t {
    double frequency; // Hz
    double share;     // the partial's share of the measured samples' energy
    double decay;     // 1/s, the rate at which its amplitude falls (negative while it grows)
    // Hz, the standard deviation that the noise beside the partial gives the frequency; 0 where
    // it was not estimated.
    double uncertainty;
};

// Where a partial is looked for and what it must hold to count.
struct nu_dsp_partial_search_t {
    double sampleRate;
    double near;         // Hz, the frequency the partial is expected near
    double tolerance;    // Hz, how far from `near` the measured frequency may lie
    double minimumShare; // of the measured samples' energy
};

// The window's value and slope (dw/dn) over `length` points, for the time-domain measurement.
struct nu_dsp_partial_window_t {
    std::uint32_t length;
    double* value;
    double* slope;
};

// Makes the window tables for frames of `length` points (a power of two). Answers 0 and stores
// them, or -1 and stores null when an allocation fails.
int nu_dsp_partial__create_window(std::uint32_t length, nu_dsp_partial_window_t** window);
void nu_dsp_partial__destroy_window(nu_dsp_partial_window_t* window);

// Looks for the partial whose peak lies near `search.near` in the transform of a whole frame
// (`spectrum`, N points) whose sum of squares is `energy`. Answers false when there is no peak
// within the tolerance, when it holds less than the minimum share, or when the measured
// frequency lies beyond the tolerance. The uncertainty comes from the spectrum's level midway
// between this partial and the next, where a string has no partial.
bool nu_dsp_partial__measure_spectrum(const nu_dsp_complex_f* spectrum, std::uint32_t size,
                                      double energy, const nu_dsp_partial_search_t& search,
                                      nu_dsp_partial_t* partial);

// The same over `samples`, the window's length divided by 2^shift points, in the time domain,
// with the noise taken at one frequency between the partials. Answers false also when that span
// is too short to part the partial from its neighbours.
bool nu_dsp_partial__measure_samples(const nu_dsp_partial_window_t* window, std::uint32_t shift,
                                     const float* samples, const nu_dsp_partial_search_t& search,
                                     nu_dsp_partial_t* partial);
