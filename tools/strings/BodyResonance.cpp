#include "BodyResonance.h"

#include <cmath>
#include <numbers>

const std::vector<BodyResonance::Mode>& BodyResonance::modes() {
    static const std::vector<Mode> all = {
        {102.0, 14.0, 0.50}, // air
        {205.0, 18.0, 0.40}, // top
        {395.0, 12.0, 0.30}, // top and back
        {2800.0, 1.5, 0.15}, // presence
    };
    return all;
}

void BodyResonance::apply(std::vector<double>& signal, double sampleRate) {
    std::vector<double> resonance(signal.size(), 0.0);
    for (const Mode& mode : modes()) {
        const double w = 2.0 * std::numbers::pi * mode.frequency / sampleRate;
        const double alpha = std::sin(w) / (2.0 * mode.q);
        const double a0 = 1.0 + alpha;
        const double b0 = mode.gain * alpha / a0;
        const double a1 = -2.0 * std::cos(w) / a0;
        const double a2 = (1.0 - alpha) / a0;
        double x1 = 0.0;
        double x2 = 0.0;
        double y1 = 0.0;
        double y2 = 0.0;
        for (std::size_t n = 0; n < signal.size(); ++n) {
            const double x = signal[n];
            const double y = b0 * (x - x2) - a1 * y1 - a2 * y2;
            x2 = x1;
            x1 = x;
            y2 = y1;
            y1 = y;
            resonance[n] += y;
        }
    }
    for (std::size_t n = 0; n < signal.size(); ++n) {
        signal[n] += resonance[n];
    }
}
