#pragma once

#include <cstdint>

// A small single-precision complex FFT for power-of-two sizes: a plan made once per size, two
// transforms that never allocate, and a destroy function. The pitch estimator runs its forward
// transform and, on the power spectrum, its inverse to get the autocorrelation.

// One complex sample: real then imaginary, 8 bytes, stored in contiguous arrays.
struct nu_dsp_complex_f {
    float re;
    float im;
};

struct nu_dsp_fft_cf_t {
    std::uint32_t log2Size;
    std::uint32_t size;
    // Entry i is i with its log2Size low bits reversed.
    std::uint32_t* bitReversal;
    // Entry k is e^(i k theta) with theta = -2 pi / size rounded to single precision first;
    // only the first half is read.
    nu_dsp_complex_f* twiddles;
    // The same twiddles, laid out stage by stage so that each stage reads them in order:
    // stage s (half = 2^(s-1)) finds its `half` factors from entry half - 1 on.
    nu_dsp_complex_f* stageTwiddles;
};

// Makes a plan for 2^log2Size points (log2Size below 32). Answers 0 and stores the plan, or -1
// and stores null when an allocation fails (nothing is left allocated then).
int nu_dsp_fft_cf__create(std::uint32_t log2Size, nu_dsp_fft_cf_t** plan);

// Frees the plan and its tables; null is allowed. Answers 0.
int nu_dsp_fft_cf__destroy(nu_dsp_fft_cf_t* plan);

// Forward transform X[k] = sum x[n] e^(-2 pi i n k / N), unscaled, from `in` to `out` (distinct
// arrays of N elements); `in` is not changed. Answers 0.
int nu_dsp_fft_cf__do_fft(const nu_dsp_fft_cf_t* plan, const nu_dsp_complex_f* in,
                          nu_dsp_complex_f* out);

// Inverse transform scaled by 1/N, so that ifft(fft(x)) is x up to rounding. Answers 0.
int nu_dsp_fft_cf__do_ifft(const nu_dsp_fft_cf_t* plan, const nu_dsp_complex_f* in,
                           nu_dsp_complex_f* out);

// The widest vector instructions the transforms may use; all give the same results. Lower
// limits exist so that every code path can be checked on one machine.
enum class nu_dsp_fft_cf_vectors { best, sse2, scalar };
void nu_dsp_fft_cf__limit_vectors(nu_dsp_fft_cf_vectors limit);
