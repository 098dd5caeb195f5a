#include "ClickSynth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kRelease = 0.004; // fade-out at the end, seconds

// A small deterministic noise source, so that every build writes the same files.
class Noise {
public:
    double next() {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(state_ >> 11) / 4503599627370496.0 - 1.0;
    }

private:
    std::uint64_t state_ = 0x2545F4914F6CDD1Dull;
};

double envelope(double t, double attack, double seconds) {
    const double pi = std::numbers::pi;
    if (t < attack) {
        return 0.5 - 0.5 * std::cos(pi * t / attack);
    }
    const double fromEnd = seconds - t;
    if (fromEnd < kRelease) {
        return 0.5 - 0.5 * std::cos(pi * std::max(fromEnd, 0.0) / kRelease);
    }
    return 1.0;
}

} // namespace

std::vector<ClickSynth::Recipe> ClickSynth::clicks() {
    return {
        {"Blip", 0.030, 0.0008, {{1760.0, 1.0, 0.008}, {3520.0, 0.25, 0.004}}},
        {"Woodblock",
         0.060,
         0.0005,
         {{850.0, 1.0, 0.014}, {1960.0, 0.55, 0.008}, {3100.0, 0.2, 0.004}}},
        {"Clave", 0.050, 0.0004, {{2500.0, 1.0, 0.012}, {5000.0, 0.08, 0.005}}},
        {"Rimshot", 0.080, 0.0003, {{480.0, 0.6, 0.018}, {1720.0, 0.5, 0.010}}, 0.7, 0.012},
        {"Hi-Hat", 0.070, 0.0003, {{7200.0, 0.15, 0.010}}, 1.0, 0.018, 0.7},
        {"Cowbell", 0.090, 0.0006, {{562.0, 1.0, 0.030}, {845.0, 0.8, 0.025}}},
    };
}

ClickSynth::Recipe ClickSynth::tock() {
    return {"tock", 0.015, 0.0004, {{1200.0, 1.0, 0.003}, {2900.0, 0.3, 0.002}}, 0.2, 0.002, 0.5};
}

std::vector<std::int16_t> ClickSynth::render(const Recipe& recipe) {
    const auto frames = static_cast<std::size_t>(std::lround(recipe.seconds * kRate));
    std::vector<double> x(frames);
    std::vector<double> w(frames);
    Noise noise;
    double previous = 0.0;
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kRate;
        double v = 0.0;
        for (const Partial& p : recipe.partials) {
            v += p.amplitude * std::exp(-t / p.decay) *
                 std::sin(2.0 * std::numbers::pi * p.frequency * t);
        }
        const double white = noise.next();
        v += recipe.noise * std::exp(-t / recipe.noiseDecay) * (white - previous) * 0.5;
        previous = white;
        w[i] = envelope(t, recipe.attack, recipe.seconds);
        x[i] = v * w[i];
    }
    // Remove the mean along the envelope, so the ends stay at zero.
    double sumX = 0.0;
    double sumW = 0.0;
    for (std::size_t i = 0; i < frames; ++i) {
        sumX += x[i];
        sumW += w[i];
    }
    double peak = 0.0;
    for (std::size_t i = 0; i < frames; ++i) {
        x[i] -= sumX / sumW * w[i];
        peak = std::max(peak, std::abs(x[i]));
    }
    std::vector<std::int16_t> samples(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        samples[i] = static_cast<std::int16_t>(std::lround(x[i] / peak * recipe.peak * 32767.0));
    }
    return samples;
}
