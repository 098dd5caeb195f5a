#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <vector>

// Test signals for the pitch estimator and the tuner: pure sines and synthesised plucked strings.
namespace signals {

inline std::vector<float> sine(double frequency, double sampleRate, std::size_t count,
                               double amplitude = 0.5) {
    std::vector<float> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        samples[i] = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * frequency *
                                                             static_cast<double>(i) / sampleRate));
    }
    return samples;
}

// A plucked steel string: partials k = 1, 2, ... at k f0 sqrt(1 + B k^2) (stiffness), with
// amplitudes set by the plucking point, each decaying faster the higher it is, a short noise
// burst at the attack and steady background noise, heard through a microphone that may roll off
// the lowest partials. `frequency` is that of the first partial.
struct Pluck {
    double frequency = 82.41;
    double seconds = 2.0;
    double inharmonicity = 1e-4; // B
    double pluckPoint = 0.13;    // fraction of the string length from the bridge
    double decay = 1.2;          // 1/s of the first partial
    double noiseLevel = 0.003;   // background noise, RMS relative to full scale
    double peak = 0.6;           // approximate peak amplitude
    double lowCut = 0.0;         // Hz; a small microphone's roll-off below it (12 dB/octave)
    unsigned seed = 1;
};

inline std::vector<float> pluck(const Pluck& p, double sampleRate) {
    const auto count = static_cast<std::size_t>(p.seconds * sampleRate);
    std::vector<double> mix(count, 0.0);
    const double f0 = p.frequency / std::sqrt(1.0 + p.inharmonicity);
    std::mt19937 random(p.seed);
    std::uniform_real_distribution<double> phase(0.0, 2.0 * std::numbers::pi);
    for (int k = 1; k < 60; ++k) {
        const double fk = k * f0 * std::sqrt(1.0 + p.inharmonicity * k * k);
        if (fk > 0.45 * sampleRate) {
            break;
        }
        double amplitude = std::fabs(std::sin(std::numbers::pi * k * p.pluckPoint)) / k;
        if (p.lowCut > 0.0) {
            const double x = (fk / p.lowCut) * (fk / p.lowCut);
            amplitude *= x / std::sqrt(1.0 + x * x);
        }
        const double rate = p.decay * (1.0 + 0.02 * k * k);
        const double phi = phase(random);
        const double w = 2.0 * std::numbers::pi * fk / sampleRate;
        for (std::size_t i = 0; i < count; ++i) {
            const double t = static_cast<double>(i) / sampleRate;
            mix[i] += amplitude * std::exp(-rate * t) * std::sin(w * static_cast<double>(i) + phi);
        }
    }
    double largest = 1e-12;
    for (double v : mix) {
        largest = std::fmax(largest, std::fabs(v));
    }
    std::normal_distribution<double> noise(0.0, 1.0);
    const auto burst = static_cast<std::size_t>(0.01 * sampleRate);
    std::vector<float> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        double v = mix[i] * p.peak / largest + p.noiseLevel * noise(random);
        if (i < burst) {
            v += 0.1 * p.peak * (1.0 - static_cast<double>(i) / static_cast<double>(burst)) *
                 noise(random);
        }
        samples[i] = static_cast<float>(v);
    }
    return samples;
}

// Samples as the microphone delivers them: 16-bit, saturated.
inline std::vector<std::int16_t> toInt16(const std::vector<float>& samples) {
    std::vector<std::int16_t> out(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double v = std::round(static_cast<double>(samples[i]) * 32768.0);
        out[i] = static_cast<std::int16_t>(std::fmax(-32768.0, std::fmin(32767.0, v)));
    }
    return out;
}

} // namespace signals
