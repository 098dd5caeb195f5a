#include "nu_dsp_fft.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <numbers>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Stages whose butterflies span at most this many points run block by block, each block
// through all of them while it is in the first-level cache; the butterflies are independent
// across blocks, so the order changes nothing in the result.
constexpr std::uint32_t kCacheBlock = 2048;

// The bit-reversed copy fused with the first stage, whose factor is exactly 1: its butterflies
// are a sum and a difference. `conjugate` reads the conjugate of the input (the inverse).
template <bool conjugate>
void reorderWithFirstStage(const nu_dsp_fft_cf_t& plan, const nu_dsp_complex_f* in,
                           nu_dsp_complex_f* out) {
    const std::uint32_t n = plan.size;
    if (n == 1) {
        out[0] = {in[0].re, conjugate ? -in[0].im : in[0].im};
        return;
    }
    const std::uint32_t* bitReversal = plan.bitReversal;
    for (std::uint32_t i = 0; i < n; i += 2) {
        nu_dsp_complex_f a = in[bitReversal[i]];
        nu_dsp_complex_f b = in[bitReversal[i + 1]];
        if constexpr (conjugate) {
            a.im = -a.im;
            b.im = -b.im;
        }
        out[i] = {a.re + b.re, a.im + b.im};
        out[i + 1] = {a.re - b.re, a.im - b.im};
    }
}

#if defined(__SSE2__)
// Two butterflies at once, with the same products, sums and differences as the scalar form:
// the real part of t adds the negated product, which equals subtracting it.
inline void butterfly(__m128& lo, __m128& hi, __m128 w) {
    const __m128 negateReal = _mm_castsi128_ps(_mm_set_epi32(0, INT32_MIN, 0, INT32_MIN));
    const __m128 wRe = _mm_shuffle_ps(w, w, _MM_SHUFFLE(2, 2, 0, 0));
    const __m128 wIm = _mm_shuffle_ps(w, w, _MM_SHUFFLE(3, 3, 1, 1));
    const __m128 swapped = _mm_shuffle_ps(hi, hi, _MM_SHUFFLE(2, 3, 0, 1));
    const __m128 t =
        _mm_add_ps(_mm_mul_ps(hi, wRe), _mm_xor_ps(_mm_mul_ps(swapped, wIm), negateReal));
    hi = _mm_sub_ps(lo, t);
    lo = _mm_add_ps(lo, t);
}

inline __m128 load(const nu_dsp_complex_f* c) {
    return _mm_loadu_ps(&c->re);
}

inline void store(nu_dsp_complex_f* c, __m128 v) {
    _mm_storeu_ps(&c->re, v);
}
#endif

inline void butterfly(nu_dsp_complex_f& lo, nu_dsp_complex_f& hi, nu_dsp_complex_f w) {
    const nu_dsp_complex_f a = lo;
    const nu_dsp_complex_f b = hi;
    const float tRe = b.re * w.re - b.im * w.im;
    const float tIm = b.im * w.re + b.re * w.im;
    hi = {a.re - tRe, a.im - tIm};
    lo = {a.re + tRe, a.im + tIm};
}

// One stage over `count` points: butterflies of span 2 * half.
void stage(const nu_dsp_fft_cf_t& plan, nu_dsp_complex_f* out, std::uint32_t count,
           std::uint32_t half) {
    const nu_dsp_complex_f* w = plan.stageTwiddles + (half - 1);
    for (std::uint32_t start = 0; start < count; start += 2 * half) {
        nu_dsp_complex_f* lo = out + start;
        nu_dsp_complex_f* hi = lo + half;
        std::uint32_t k = 0;
#if defined(__SSE2__)
        for (; k + 1 < half; k += 2) {
            __m128 a = load(lo + k);
            __m128 b = load(hi + k);
            butterfly(a, b, load(w + k));
            store(lo + k, a);
            store(hi + k, b);
        }
#endif
        for (; k < half; ++k) {
            butterfly(lo[k], hi[k], w[k]);
        }
    }
}

// Two successive stages (half, then 2 * half) in one sweep: each set of four points goes through
// both while in registers. The butterflies are those of the two stages run one after the other.
void stagePair(const nu_dsp_fft_cf_t& plan, nu_dsp_complex_f* out, std::uint32_t count,
               std::uint32_t half) {
    const nu_dsp_complex_f* w1 = plan.stageTwiddles + (half - 1);
    const nu_dsp_complex_f* w2 = plan.stageTwiddles + (2 * half - 1);
    for (std::uint32_t start = 0; start < count; start += 4 * half) {
        nu_dsp_complex_f* x0 = out + start;
        nu_dsp_complex_f* x1 = x0 + half;
        nu_dsp_complex_f* x2 = x1 + half;
        nu_dsp_complex_f* x3 = x2 + half;
        std::uint32_t k = 0;
#if defined(__SSE2__)
        for (; k + 1 < half; k += 2) {
            __m128 a = load(x0 + k);
            __m128 b = load(x1 + k);
            __m128 c = load(x2 + k);
            __m128 d = load(x3 + k);
            const __m128 wFirst = load(w1 + k);
            butterfly(a, b, wFirst);
            butterfly(c, d, wFirst);
            butterfly(a, c, load(w2 + k));
            butterfly(b, d, load(w2 + half + k));
            store(x0 + k, a);
            store(x1 + k, b);
            store(x2 + k, c);
            store(x3 + k, d);
        }
#endif
        for (; k < half; ++k) {
            butterfly(x0[k], x1[k], w1[k]);
            butterfly(x2[k], x3[k], w1[k]);
            butterfly(x0[k], x2[k], w2[k]);
            butterfly(x1[k], x3[k], w2[half + k]);
        }
    }
}

// Runs the stages from `half` up to spans of `count` points, two at a time where it can.
void stagesUpTo(const nu_dsp_fft_cf_t& plan, nu_dsp_complex_f* out, std::uint32_t count,
                std::uint32_t half) {
    for (; 4 * half <= count; half *= 4) {
        stagePair(plan, out, count, half);
    }
    if (2 * half <= count) {
        stage(plan, out, count, half);
    }
}

// The radix-2 decimation-in-time stages after the first, over data in bit-reversed order. The
// factors and the arithmetic are those of stepping through the full twiddle table with a
// stride of `groups`.
void laterStages(const nu_dsp_fft_cf_t& plan, nu_dsp_complex_f* out) {
    const std::uint32_t n = plan.size;
    const std::uint32_t block = n < kCacheBlock ? n : kCacheBlock;
    for (std::uint32_t start = 0; start < n; start += block) {
        stagesUpTo(plan, out + start, block, 2);
    }
    if (block < n) {
        stagesUpTo(plan, out, n, block);
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
    reorderWithFirstStage<false>(*plan, in, out);
    laterStages(*plan, out);
    return 0;
}

int nu_dsp_fft_cf__do_ifft(const nu_dsp_fft_cf_t* plan, const nu_dsp_complex_f* in,
                           nu_dsp_complex_f* out) {
    const std::uint32_t n = plan->size;
    reorderWithFirstStage<true>(*plan, in, out);
    laterStages(*plan, out);
    const auto scale = static_cast<float>(1.0 / n);
    for (std::uint32_t i = 0; i < n; ++i) {
        out[i] = {out[i].re * scale, -(out[i].im * scale)};
    }
    return 0;
}
