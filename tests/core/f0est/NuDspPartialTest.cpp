#include "f0est/nu_dsp_fft.h"
#include "f0est/nu_dsp_partial.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <random>
#include <vector>

namespace {

constexpr double kRate = 44100.0;
constexpr std::uint32_t kLog2Size = 14;
constexpr std::uint32_t kSize = 1u << kLog2Size;
constexpr std::uint32_t kHalf = kSize / 2;

double cents(double frequency, double reference) {
    return 1200.0 * std::log2(frequency / reference);
}

// A frame of H samples, given or made of a string's two lowest partials decaying at `decay` per
// second (the second one twice as strong, as a small microphone hears a low string), and its
// transform zero-padded to N points, as the estimator has them.
struct Frame {
    explicit Frame(std::vector<float> values) : samples(std::move(values)), spectrum(kSize) {
        transform();
    }
    Frame(double frequency, double decay, double amplitude = 0.3)
        : samples(kHalf), spectrum(kSize) {
        for (std::uint32_t n = 0; n < kHalf; ++n) {
            const double t = n / kRate;
            const double fall = std::exp(-decay * t);
            samples[n] = static_cast<float>(
                fall * (amplitude * std::sin(2.0 * std::numbers::pi * frequency * t + 0.3) +
                        2.0 * amplitude *
                            std::sin(2.0 * std::numbers::pi * 2.0003 * frequency * t + 1.1)));
        }
        transform();
    }

    void transform() {
        for (const float x : samples) {
            energy += static_cast<double>(x) * static_cast<double>(x);
        }
        std::vector<nu_dsp_complex_f> in(kSize, {0.0f, 0.0f});
        for (std::uint32_t n = 0; n < kHalf; ++n) {
            in[n].re = samples[n];
        }
        nu_dsp_fft_cf_t* plan = nullptr;
        nu_dsp_fft_cf__create(kLog2Size, &plan);
        nu_dsp_fft_cf__do_fft(plan, in.data(), spectrum.data());
        nu_dsp_fft_cf__destroy(plan);
    }

    std::vector<float> samples;
    std::vector<nu_dsp_complex_f> spectrum;
    double energy = 0.0;
};

nu_dsp_partial_search_t near(double frequency, double toleranceHz = 5.0) {
    return {kRate, frequency, toleranceHz, 1e-3};
}

class Window {
public:
    Window() { nu_dsp_partial__create_window(kHalf, &window_); }
    ~Window() { nu_dsp_partial__destroy_window(window_); }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    const nu_dsp_partial_window_t* get() const { return window_; }

private:
    nu_dsp_partial_window_t* window_ = nullptr;
};

} // namespace

// Between the bins (a bin is 2.7 Hz, 56 cents at the low E), steady or decaying, next to an
// octave twice as strong: the fundamental's frequency is read to a few hundredths of a cent over
// the whole frame and over its newest half or quarter (the span after an attack), while the
// estimate it starts from is 4 cents off, and its decay to a twentieth of a unit per second.
TEST(NuDspPartial, ReadsADecayingPartialBetweenTheBinsToAFewHundredthsOfACent) {
    Window window;
    for (const double frequency : {82.41, 110.0, 247.3, 659.26, 1318.51}) {
        for (const double decay : {0.0, 3.0, 12.0}) {
            const Frame frame(frequency, decay);
            const double start = frequency * std::exp2(4.0 / 1200.0);
            nu_dsp_partial_t partial{};
            ASSERT_TRUE(nu_dsp_partial__measure_spectrum(frame.spectrum.data(), kSize, frame.energy,
                                                         near(start), &partial))
                << frequency << " Hz, decay " << decay;
            EXPECT_NEAR(cents(partial.frequency, frequency), 0.0, 0.03) << frequency;
            EXPECT_NEAR(partial.decay, decay, 0.05) << frequency;
            if (decay == 0.0) {
                EXPECT_NEAR(partial.share, 0.2, 0.01) << frequency; // a fifth of the energy
            }
            for (const std::uint32_t shift : {1u, 2u}) {
                if (frequency < 100.0 && shift == 2) {
                    continue; // too short to part the low E from its octave (checked below)
                }
                const float* newest = frame.samples.data() + kHalf - (kHalf >> shift);
                ASSERT_TRUE(nu_dsp_partial__measure_samples(window.get(), shift, newest,
                                                            near(start), &partial))
                    << frequency << " Hz, shift " << shift;
                EXPECT_NEAR(cents(partial.frequency, frequency), 0.0, 0.05) << frequency;
            }
        }
    }
}

TEST(NuDspPartial, RefusesWhereThereIsNoPartialToRead) {
    Window window;
    const Frame frame(110.0, 1.0);
    nu_dsp_partial_t partial{};
    // Nothing sounds at 150 Hz: no peak within reach.
    EXPECT_FALSE(nu_dsp_partial__measure_spectrum(frame.spectrum.data(), kSize, frame.energy,
                                                  near(150.0), &partial));
    // The partial is there but lies beyond the tolerance of an estimate 10 cents off.
    EXPECT_FALSE(nu_dsp_partial__measure_spectrum(frame.spectrum.data(), kSize, frame.energy,
                                                  near(110.0 * std::exp2(10.0 / 1200.0), 0.3),
                                                  &partial));
    // The partial holds a fifth of the energy, below a demand of a half.
    nu_dsp_partial_search_t demanding = near(110.0);
    demanding.minimumShare = 0.5;
    EXPECT_FALSE(nu_dsp_partial__measure_spectrum(frame.spectrum.data(), kSize, frame.energy,
                                                  demanding, &partial));
    // 1024 samples are too few to part a 110 Hz partial from its octave; silence has none.
    EXPECT_FALSE(nu_dsp_partial__measure_samples(window.get(), 3, frame.samples.data() + 7168,
                                                 near(110.0), &partial));
    const std::vector<float> silence(kHalf, 0.0f);
    EXPECT_FALSE(
        nu_dsp_partial__measure_samples(window.get(), 0, silence.data(), near(110.0), &partial));
}

// A weak partial in white noise, 40 times over: the uncertainty each reading reports must match
// the scatter the readings really have, over the whole frame and over its newest half, since
// the estimator weighs the reading against the period's by it.
TEST(NuDspPartial, ReportsTheScatterThatNoiseGivesTheReading) {
    Window window;
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0.0, 0.02);
    for (const std::uint32_t shift : {0u, 1u}) {
        double sum = 0.0, sumOfSquares = 0.0, reported = 0.0;
        constexpr int kRuns = 40;
        for (int run = 0; run < kRuns; ++run) {
            std::vector<float> samples(kHalf);
            for (std::uint32_t n = 0; n < kHalf; ++n) {
                samples[n] = static_cast<float>(
                    0.01 * std::sin(2.0 * std::numbers::pi * 110.3 * n / kRate + run) +
                    noise(random));
            }
            const Frame frame(std::move(samples));
            nu_dsp_partial_t partial{};
            const bool found =
                shift == 0 ? nu_dsp_partial__measure_spectrum(frame.spectrum.data(), kSize,
                                                              frame.energy, near(110.0), &partial)
                           : nu_dsp_partial__measure_samples(window.get(), shift,
                                                             frame.samples.data() + kHalf / 2,
                                                             near(110.0), &partial);
            ASSERT_TRUE(found) << "run " << run;
            sum += partial.frequency;
            sumOfSquares += partial.frequency * partial.frequency;
            reported += partial.uncertainty;
        }
        const double spread = std::sqrt(sumOfSquares / kRuns - (sum / kRuns) * (sum / kRuns));
        EXPECT_NEAR(sum / kRuns, 110.3, 3.0 * spread) << "shift " << shift;
        EXPECT_GT(reported / kRuns, 0.6 * spread) << "shift " << shift;
        EXPECT_LT(reported / kRuns, 1.6 * spread) << "shift " << shift;
    }
}
