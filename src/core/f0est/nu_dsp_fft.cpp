#include "nu_dsp_fft.h"

#include <atomic>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <numbers>

#if defined(__x86_64__)
#include <immintrin.h>
#elif defined(__SSE2__)
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

std::atomic<nu_dsp_fft_cf_vectors> vectorLimit{nu_dsp_fft_cf_vectors::best};

bool useSse() {
    return vectorLimit.load(std::memory_order_relaxed) != nu_dsp_fft_cf_vectors::scalar;
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

#if defined(__x86_64__)
// Four butterflies at once where the processor has AVX (checked once at run time); the same
// products, sums and differences again, without fused multiply-adds.
#define FRETKIT_AVX __attribute__((target("avx")))

FRETKIT_AVX inline void butterfly4(__m256& lo, __m256& hi, __m256 w) {
    const __m256 negateReal = _mm256_castsi256_ps(
        _mm256_set_epi32(0, INT32_MIN, 0, INT32_MIN, 0, INT32_MIN, 0, INT32_MIN));
    const __m256 swapped = _mm256_permute_ps(hi, _MM_SHUFFLE(2, 3, 0, 1));
    const __m256 t =
        _mm256_add_ps(_mm256_mul_ps(hi, _mm256_moveldup_ps(w)),
                      _mm256_xor_ps(_mm256_mul_ps(swapped, _mm256_movehdup_ps(w)), negateReal));
    hi = _mm256_sub_ps(lo, t);
    lo = _mm256_add_ps(lo, t);
}

FRETKIT_AVX inline __m256 load4(const nu_dsp_complex_f* c) {
    return _mm256_loadu_ps(&c->re);
}

FRETKIT_AVX inline void store4(nu_dsp_complex_f* c, __m256 v) {
    _mm256_storeu_ps(&c->re, v);
}

// Butterflies k = 0 ... half - 1 (half a multiple of 4) of one span.
FRETKIT_AVX void spanAvx(nu_dsp_complex_f* lo, nu_dsp_complex_f* hi, const nu_dsp_complex_f* w,
                         std::uint32_t half) {
    for (std::uint32_t k = 0; k < half; k += 4) {
        __m256 a = load4(lo + k);
        __m256 b = load4(hi + k);
        butterfly4(a, b, load4(w + k));
        store4(lo + k, a);
        store4(hi + k, b);
    }
}

// The two stages of stagePair() over one set of four spans (half a multiple of 4).
FRETKIT_AVX void spanPairAvx(nu_dsp_complex_f* x0, const nu_dsp_complex_f* w1,
                             const nu_dsp_complex_f* w2, std::uint32_t half) {
    nu_dsp_complex_f* x1 = x0 + half;
    nu_dsp_complex_f* x2 = x1 + half;
    nu_dsp_complex_f* x3 = x2 + half;
    for (std::uint32_t k = 0; k < half; k += 4) {
        __m256 a = load4(x0 + k);
        __m256 b = load4(x1 + k);
        __m256 c = load4(x2 + k);
        __m256 d = load4(x3 + k);
        const __m256 wFirst = load4(w1 + k);
        butterfly4(a, b, wFirst);
        butterfly4(c, d, wFirst);
        butterfly4(a, c, load4(w2 + k));
        butterfly4(b, d, load4(w2 + half + k));
        store4(x0 + k, a);
        store4(x1 + k, b);
        store4(x2 + k, c);
        store4(x3 + k, d);
    }
}

bool useAvx(std::uint32_t half) {
    static const bool available = __builtin_cpu_supports("avx");
    return available &&
           vectorLimit.load(std::memory_order_relaxed) == nu_dsp_fft_cf_vectors::best &&
           half % 4 == 0;
}
#else
bool useAvx(std::uint32_t) {
    return false;
}
void spanAvx(nu_dsp_complex_f*, nu_dsp_complex_f*, const nu_dsp_complex_f*, std::uint32_t) {}
void spanPairAvx(nu_dsp_complex_f*, const nu_dsp_complex_f*, const nu_dsp_complex_f*,
                 std::uint32_t) {}
#endif

inline void butterfly(nu_dsp_complex_f& lo, nu_dsp_complex_f& hi, nu_dsp_complex_f w) {
    const nu_dsp_complex_f a = lo;
    const nu_dsp_complex_f b = hi;
    const float tRe = b.re * w.re - b.im * w.im;
    const float tIm = b.im * w.re + b.re * w.im;
    hi = {a.re - tRe, a.im - tIm};
    lo = {a.re + tRe, a.im + tIm};
}

// Loads in[index], or its conjugate for the inverse.
template <bool conjugate>
nu_dsp_complex_f fetch(const nu_dsp_complex_f* in, std::uint32_t index) {
    const nu_dsp_complex_f x = in[index];
    return conjugate ? nu_dsp_complex_f{x.re, -x.im} : x;
}

// The bit-reversed copy fused with the first two stages, four points at a time. The first
// stage's factor is exactly 1, so its butterflies are a sum and a difference. Answers the half
// span of the next stage to run.
template <bool conjugate>
std::uint32_t reorderWithFirstStages(const nu_dsp_fft_cf_t& plan, const nu_dsp_complex_f* in,
                                     nu_dsp_complex_f* out) {
    const std::uint32_t n = plan.size;
    const std::uint32_t* bitReversal = plan.bitReversal;
    if (n < 4) {
        out[0] = fetch<conjugate>(in, bitReversal[0]);
        if (n == 2) {
            const nu_dsp_complex_f a = out[0];
            const nu_dsp_complex_f b = fetch<conjugate>(in, bitReversal[1]);
            out[0] = {a.re + b.re, a.im + b.im};
            out[1] = {a.re - b.re, a.im - b.im};
        }
        return n;
    }
    const nu_dsp_complex_f* w = plan.stageTwiddles + 1;
    for (std::uint32_t i = 0; i < n; i += 4) {
        nu_dsp_complex_f x[4];
        for (std::uint32_t j = 0; j < 4; j += 2) {
            const nu_dsp_complex_f a = fetch<conjugate>(in, bitReversal[i + j]);
            const nu_dsp_complex_f b = fetch<conjugate>(in, bitReversal[i + j + 1]);
            x[j] = {a.re + b.re, a.im + b.im};
            x[j + 1] = {a.re - b.re, a.im - b.im};
        }
        butterfly(x[0], x[2], w[0]);
        butterfly(x[1], x[3], w[1]);
        for (std::uint32_t j = 0; j < 4; ++j) {
            out[i + j] = x[j];
        }
    }
    return 4;
}

// One stage over `count` points: butterflies of span 2 * half.
void stage(const nu_dsp_fft_cf_t& plan, nu_dsp_complex_f* out, std::uint32_t count,
           std::uint32_t half) {
    const nu_dsp_complex_f* w = plan.stageTwiddles + (half - 1);
    const bool avx = useAvx(half);
    for (std::uint32_t start = 0; start < count; start += 2 * half) {
        nu_dsp_complex_f* lo = out + start;
        nu_dsp_complex_f* hi = lo + half;
        if (avx) {
            spanAvx(lo, hi, w, half);
            continue;
        }
        std::uint32_t k = 0;
#if defined(__SSE2__)
        for (; useSse() && k + 1 < half; k += 2) {
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
    const bool avx = useAvx(half);
    for (std::uint32_t start = 0; start < count; start += 4 * half) {
        nu_dsp_complex_f* x0 = out + start;
        if (avx) {
            spanPairAvx(x0, w1, w2, half);
            continue;
        }
        nu_dsp_complex_f* x1 = x0 + half;
        nu_dsp_complex_f* x2 = x1 + half;
        nu_dsp_complex_f* x3 = x2 + half;
        std::uint32_t k = 0;
#if defined(__SSE2__)
        for (; useSse() && k + 1 < half; k += 2) {
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

// The radix-2 decimation-in-time stages from `firstHalf` on, over data in bit-reversed order. The
// factors and the arithmetic are those of stepping through the full twiddle table with a
// stride of `groups`.
void laterStages(const nu_dsp_fft_cf_t& plan, nu_dsp_complex_f* out, std::uint32_t firstHalf) {
    const std::uint32_t n = plan.size;
    const std::uint32_t block = n < kCacheBlock ? n : kCacheBlock;
    for (std::uint32_t start = 0; start < n; start += block) {
        stagesUpTo(plan, out + start, block, firstHalf);
    }
    if (block < n) {
        stagesUpTo(plan, out, n, block);
    }
}

} // namespace

void nu_dsp_fft_cf__limit_vectors(nu_dsp_fft_cf_vectors limit) {
    vectorLimit.store(limit, std::memory_order_relaxed);
}

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
    laterStages(*plan, out, reorderWithFirstStages<false>(*plan, in, out));
    return 0;
}

int nu_dsp_fft_cf__do_ifft(const nu_dsp_fft_cf_t* plan, const nu_dsp_complex_f* in,
                           nu_dsp_complex_f* out) {
    const std::uint32_t n = plan->size;
    laterStages(*plan, out, reorderWithFirstStages<true>(*plan, in, out));
    const auto scale = static_cast<float>(1.0 / n);
    for (std::uint32_t i = 0; i < n; ++i) {
        out[i] = {out[i].re * scale, -(out[i].im * scale)};
    }
    return 0;
}
