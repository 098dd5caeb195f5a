#include "f0est/nu_dsp_fft.h"

#include <cmath>
#include <complex>
#include <cstring>
#include <gtest/gtest.h>
#include <numbers>
#include <random>
#include <vector>

namespace {

using Signal = std::vector<nu_dsp_complex_f>;

class Plan {
public:
    explicit Plan(std::uint32_t log2Size) { result_ = nu_dsp_fft_cf__create(log2Size, &plan_); }
    ~Plan() { nu_dsp_fft_cf__destroy(plan_); }
    Plan(const Plan&) = delete;
    Plan& operator=(const Plan&) = delete;

    int result() const { return result_; }
    nu_dsp_fft_cf_t* get() const { return plan_; }
    Signal fft(const Signal& in) const {
        Signal out(in.size());
        nu_dsp_fft_cf__do_fft(plan_, in.data(), out.data());
        return out;
    }
    Signal ifft(const Signal& in) const {
        Signal out(in.size());
        nu_dsp_fft_cf__do_ifft(plan_, in.data(), out.data());
        return out;
    }

private:
    nu_dsp_fft_cf_t* plan_ = nullptr;
    int result_ = -1;
};

Signal randomSignal(std::size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    Signal x(n);
    for (auto& c : x) {
        c = {value(random), value(random)};
    }
    return x;
}

// The transform as plainly written: bit-reversed copy, then every stage stepping through the
// full twiddle table with a stride of `groups`, all in single precision.
Signal plainTransform(const nu_dsp_fft_cf_t& plan, const Signal& in, bool inverse) {
    const std::uint32_t n = plan.size;
    Signal out(n);
    for (std::uint32_t i = 0; i < n; ++i) {
        out[i] = in[plan.bitReversal[i]];
        if (inverse) {
            out[i].im = -out[i].im;
        }
    }
    for (std::uint32_t s = 1; s <= plan.log2Size; ++s) {
        const std::uint32_t half = 1u << (s - 1);
        const std::uint32_t span = 2 * half;
        const std::uint32_t groups = n / span;
        for (std::uint32_t g = 0; g < groups; ++g) {
            for (std::uint32_t k = 0; k < half; ++k) {
                const nu_dsp_complex_f w = plan.twiddles[k * groups];
                const nu_dsp_complex_f a = out[g * span + k];
                const nu_dsp_complex_f b = out[g * span + half + k];
                const float tRe = b.re * w.re - b.im * w.im;
                const float tIm = b.im * w.re + b.re * w.im;
                out[g * span + half + k] = {a.re - tRe, a.im - tIm};
                out[g * span + k] = {a.re + tRe, a.im + tIm};
            }
        }
    }
    if (inverse) {
        const auto scale = static_cast<float>(1.0 / n);
        for (auto& c : out) {
            c = {c.re * scale, -(c.im * scale)};
        }
    }
    return out;
}

} // namespace

TEST(NuDspFft, SizeOneCopiesTheElementBothWays) {
    Plan plan(0);
    ASSERT_EQ(plan.result(), 0);
    EXPECT_EQ(plan.get()->size, 1u);
    const Signal x{{3.5f, -2.0f}};
    EXPECT_FLOAT_EQ(plan.fft(x)[0].re, 3.5f);
    EXPECT_FLOAT_EQ(plan.fft(x)[0].im, -2.0f);
    EXPECT_FLOAT_EQ(plan.ifft(x)[0].re, 3.5f);
    EXPECT_FLOAT_EQ(plan.ifft(x)[0].im, -2.0f);
}

TEST(NuDspFft, RefusesSizesOfThirtyTwoBitsOrMore) {
    nu_dsp_fft_cf_t* plan = reinterpret_cast<nu_dsp_fft_cf_t*>(&plan);
    EXPECT_EQ(nu_dsp_fft_cf__create(32, &plan), -1);
    EXPECT_EQ(plan, nullptr);
    EXPECT_EQ(nu_dsp_fft_cf__destroy(nullptr), 0);
}

TEST(NuDspFft, ImpulseAndFlatSpectrumAreEachOthersTransforms) {
    Plan plan(4);
    Signal impulse(16, {0.0f, 0.0f});
    impulse[0] = {1.0f, 0.0f};
    for (const auto& c : plan.fft(impulse)) {
        EXPECT_FLOAT_EQ(c.re, 1.0f);
        EXPECT_FLOAT_EQ(c.im, 0.0f);
    }
    const Signal back = plan.ifft(Signal(16, {1.0f, 0.0f}));
    for (std::size_t i = 0; i < back.size(); ++i) {
        EXPECT_NEAR(back[i].re, i == 0 ? 1.0f : 0.0f, 1e-6f) << i;
        EXPECT_NEAR(back[i].im, 0.0f, 1e-6f) << i;
    }
}

TEST(NuDspFft, PositiveFrequencyLandsInBinOne) {
    const std::size_t n = 64;
    Plan plan(6);
    Signal x(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double angle = 2.0 * std::numbers::pi * static_cast<double>(i) / n;
        x[i] = {static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle))};
    }
    const Signal spectrum = plan.fft(x);
    EXPECT_NEAR(spectrum[1].re, 64.0f, 1e-4f);
    EXPECT_NEAR(spectrum[1].im, 0.0f, 1e-4f);
    for (std::size_t k = 0; k < n; ++k) {
        if (k != 1) {
            EXPECT_NEAR(std::hypot(spectrum[k].re, spectrum[k].im), 0.0f, 1e-4f) << k;
        }
    }
}

// Every butterfly, twiddle and the bit reversal against the definition, in double precision.
TEST(NuDspFft, MatchesTheDiscreteFourierTransformInBothDirections) {
    for (std::uint32_t log2Size : {1u, 3u, 7u}) {
        const std::size_t n = std::size_t{1} << log2Size;
        const auto size = static_cast<double>(n);
        Plan plan(log2Size);
        const Signal x = randomSignal(n, log2Size);
        const Signal forward = plan.fft(x);
        const Signal inverse = plan.ifft(x);
        for (std::size_t k = 0; k < n; ++k) {
            std::complex<double> expected{0.0, 0.0};
            for (std::size_t i = 0; i < n; ++i) {
                const double angle =
                    -2.0 * std::numbers::pi * static_cast<double>(i * k % n) / size;
                expected += std::complex<double>(x[i].re, x[i].im) * std::polar(1.0, angle);
            }
            EXPECT_NEAR(forward[k].re, expected.real(), 1e-4) << n << " bin " << k;
            EXPECT_NEAR(forward[k].im, expected.imag(), 1e-4) << n << " bin " << k;
            // The inverse carries the opposite sign: its bin N - k is bin k of the forward.
            EXPECT_NEAR(inverse[(n - k) % n].re, expected.real() / size, 1e-5) << k;
            EXPECT_NEAR(inverse[(n - k) % n].im, expected.imag() / size, 1e-5) << k;
        }
    }
}

// However the transform is scheduled and vectorised, every value is rounded exactly as in the
// plain form.
TEST(NuDspFft, RoundsExactlyAsThePlainRadixTwoTransform) {
    for (auto limit : {nu_dsp_fft_cf_vectors::scalar, nu_dsp_fft_cf_vectors::sse2,
                       nu_dsp_fft_cf_vectors::best}) {
        nu_dsp_fft_cf__limit_vectors(limit);
        for (std::uint32_t log2Size : {0u, 1u, 2u, 3u, 5u, 11u, 12u, 14u}) {
            Plan plan(log2Size);
            const Signal x = randomSignal(std::size_t{1} << log2Size, 11 + log2Size);
            for (bool inverse : {false, true}) {
                const Signal expected = plainTransform(*plan.get(), x, inverse);
                const Signal actual = inverse ? plan.ifft(x) : plan.fft(x);
                std::size_t differing = 0;
                for (std::size_t i = 0; i < x.size(); ++i) {
                    differing += actual[i].re != expected[i].re || actual[i].im != expected[i].im;
                }
                EXPECT_EQ(differing, 0u) << "size 2^" << log2Size << (inverse ? " inverse" : "")
                                         << " vectors " << static_cast<int>(limit);
            }
        }
    }
}

TEST(NuDspFft, RoundTripRestoresTheInputAndLeavesItUntouched) {
    Plan plan(14);
    const Signal x = randomSignal(16384, 7);
    const Signal copy = x;
    const Signal spectrum = plan.fft(x);
    EXPECT_EQ(std::memcmp(x.data(), copy.data(), x.size() * sizeof(nu_dsp_complex_f)), 0);
    const Signal spectrumCopy = spectrum;
    const Signal back = plan.ifft(spectrum);
    EXPECT_EQ(std::memcmp(spectrum.data(), spectrumCopy.data(),
                          spectrum.size() * sizeof(nu_dsp_complex_f)),
              0);
    float worst = 0.0f;
    for (std::size_t i = 0; i < x.size(); ++i) {
        worst = std::fmax(worst, std::fabs(back[i].re - x[i].re));
        worst = std::fmax(worst, std::fabs(back[i].im - x[i].im));
    }
    EXPECT_LT(worst, 1e-5f);
}
