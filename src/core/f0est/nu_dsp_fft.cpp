#include "nu_dsp_fft.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {

std::uint32_t reverseBits(std::uint32_t value, std::uint32_t bits) {
    std::uint32_t reversed = 0;
    for (std::uint32_t b = 0; b < bits; ++b) {
        reversed = (reversed << 1) | ((value >> b) & 1u);
    }
    return reversed;
}

void fillTables(nu_dsp_fft_cf_t& plan) {
    const std::uint32_t n = plan.size;
    for (std::uint32_t i = 0; i < n; ++i) {
        plan.bitReversal[i] = reverseBits(i, plan.log2Size);
    }
    const auto factor = static_cast<float>(-2.0 * std::numbers::pi / n);
    for (std::uint32_t k = 0; k < n; ++k) {
        const float theta = factor * static_cast<float>(k);
        plan.twiddles[k] = {std::cos(theta), std::sin(theta)};
    }
    for (std::uint32_t half = 1; half < n; half *= 2) {
        const std::uint32_t groups = n / (2 * half);
        for (std::uint32_t k = 0; k < half; ++k) {
            plan.stageTwiddles[half - 1 + k] = plan.twiddles[k * groups];
        }
    }
}

// The radix-2 decimation-in-time stages over data already in bit-reversed order. Each stage
// reads its twiddles contiguously; the factors and the arithmetic are those of stepping through
// the full table with a stride of `groups`.
void butterflies(const nu_dsp_fft_cf_t& plan, nu_dsp_complex_f* out) {
    const std::uint32_t n = plan.size;
    for (std::uint32_t half = 1; half < n; half *= 2) {
        const nu_dsp_complex_f* w = plan.stageTwiddles + (half - 1);
        const std::uint32_t span = 2 * half;
        for (std::uint32_t start = 0; start < n; start += span) {
            nu_dsp_complex_f* lo = out + start;
            nu_dsp_complex_f* hi = lo + half;
            for (std::uint32_t k = 0; k < half; ++k) {
                const nu_dsp_complex_f a = lo[k];
                const nu_dsp_complex_f b = hi[k];
                const float tRe = b.re * w[k].re - b.im * w[k].im;
                const float tIm = b.im * w[k].re + b.re * w[k].im;
                hi[k] = {a.re - tRe, a.im - tIm};
                lo[k] = {a.re + tRe, a.im + tIm};
            }
        }
    }
}

} // namespace

int nu_dsp_fft_cf__create(std::uint32_t log2Size, nu_dsp_fft_cf_t** plan) {
    *plan = nullptr;
    if (log2Size >= 32) {
        return -1;
    }
    const std::uint32_t n = 1u << log2Size;
    auto* created = static_cast<nu_dsp_fft_cf_t*>(std::malloc(sizeof(nu_dsp_fft_cf_t)));
    if (created == nullptr) {
        return -1;
    }
    created->log2Size = log2Size;
    created->size = n;
    created->bitReversal = static_cast<std::uint32_t*>(std::malloc(n * sizeof(std::uint32_t)));
    created->twiddles = static_cast<nu_dsp_complex_f*>(std::malloc(n * sizeof(nu_dsp_complex_f)));
    created->stageTwiddles =
        static_cast<nu_dsp_complex_f*>(std::malloc(n * sizeof(nu_dsp_complex_f)));
    if (created->bitReversal == nullptr || created->twiddles == nullptr ||
        created->stageTwiddles == nullptr) {
        nu_dsp_fft_cf__destroy(created);
        return -1;
    }
    fillTables(*created);
    *plan = created;
    return 0;
}

int nu_dsp_fft_cf__destroy(nu_dsp_fft_cf_t* plan) {
    if (plan != nullptr) {
        std::free(plan->stageTwiddles);
        std::free(plan->twiddles);
        std::free(plan->bitReversal);
        std::free(plan);
    }
    return 0;
}

int nu_dsp_fft_cf__do_fft(const nu_dsp_fft_cf_t* plan, const nu_dsp_complex_f* in,
                          nu_dsp_complex_f* out) {
    const std::uint32_t n = plan->size;
    for (std::uint32_t i = 0; i < n; ++i) {
        out[i] = in[plan->bitReversal[i]];
    }
    butterflies(*plan, out);
    return 0;
}

int nu_dsp_fft_cf__do_ifft(const nu_dsp_fft_cf_t* plan, const nu_dsp_complex_f* in,
                           nu_dsp_complex_f* out) {
    const std::uint32_t n = plan->size;
    for (std::uint32_t i = 0; i < n; ++i) {
        const nu_dsp_complex_f x = in[plan->bitReversal[i]];
        out[i] = {x.re, -x.im};
    }
    butterflies(*plan, out);
    const auto scale = static_cast<float>(1.0 / n);
    for (std::uint32_t i = 0; i < n; ++i) {
        out[i] = {out[i].re * scale, -(out[i].im * scale)};
    }
    return 0;
}
