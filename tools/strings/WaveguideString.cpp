#include "WaveguideString.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kMinFraction = 0.5; // the fractional allpass stays within [0.5, 1.5) samples
constexpr int kStiffPartial = 8;     // the partial whose stretch matches the string's stiffness
constexpr std::size_t kPickTail = 128;

// Phase delay in samples of the allpass (c + z^-1) / (1 + c z^-1) at omega.
double allpassDelay(double c, double omega) {
    return 1.0 - 2.0 * std::atan2(c * std::sin(omega), 1.0 + c * std::cos(omega)) / omega;
}

// Phase delay and gain (without the overall gain) of (1 + a) / (1 + a z^-1) at omega.
double onePoleDelay(double a, double omega) {
    return std::atan2(-a * std::sin(omega), 1.0 + a * std::cos(omega)) / omega;
}
double onePoleGain(double a, double omega) {
    return (1.0 + a) / std::sqrt(1.0 + 2.0 * a * std::cos(omega) + a * a);
}

double chainDelay(double c, double omega) {
    return WaveguideString::kDispersionSections * allpassDelay(c, omega);
}

// The largest x in [0, high] for which beyond(x) is still false, given that beyond is false at 0
// and, once true, stays true for every larger x.
template <typename Beyond>
double largestBefore(double high, Beyond beyond) {
    if (!beyond(high)) {
        return high;
    }
    double low = 0.0;
    for (int i = 0; i < 60; ++i) {
        const double mid = 0.5 * (low + high);
        (beyond(mid) ? high : low) = mid;
    }
    return low;
}

// Per round trip, what is left of a partial that falls by 60 dB in `seconds`.
double tripGain(double seconds, double frequency) {
    return std::pow(10.0, -3.0 / (seconds * frequency));
}

// A small deterministic noise source (splitmix64), uniform in [-1, 1).
class PickNoise {
public:
    explicit PickNoise(std::uint64_t seed) : state_(seed) {}
    double next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return static_cast<double>(z >> 11) / 4503599627370496.0 - 1.0;
    }

private:
    std::uint64_t state_;
};

} // namespace

WaveguideString::WaveguideString(const PluckVoice& voice) : voice_(voice) {
    period_ = voice.sampleRate / voice.frequency;
    omega_ = kTwoPi / period_;
    designLoss();
    designDispersion();
    designTuning();
}

// The loss filter g (1 + a) / (1 + a z^-1) keeps, per round trip, what the two decay times ask
// for at the fundamental and at the high reference frequency, and loses energy at every frequency.
void WaveguideString::designLoss() {
    const double high =
        kTwoPi * std::min(PluckVoice::kHighFrequency, 0.45 * voice_.sampleRate) / voice_.sampleRate;
    const double atFundamental = tripGain(voice_.decay, voice_.frequency);
    const double ratio =
        std::min(1.0, tripGain(voice_.highDecay, voice_.frequency) / atFundamental);
    lossPole_ = -largestBefore(
        0.95, [&](double x) { return onePoleGain(-x, high) / onePoleGain(-x, omega_) < ratio; });
    // Unit gain at DC: the loop never gains there, and the fundamental, close to DC, keeps
    // nearly what was asked.
    lossGain_ = atFundamental;
}

// The allpass chain delays the fundamental more than partial k; the difference is what makes
// partial k sound at k f sqrt((1 + B k^2) / (1 + B)): the whole loop, tuned to the fundamental,
// must be as long at partial k as k of its cycles. The chain takes no more of the period than
// leaves room for the delay line and the fractional allpass.
void WaveguideString::designDispersion() {
    const int k = std::min(kStiffPartial, static_cast<int>(0.4 * period_));
    const double b = voice_.inharmonicity;
    dispersion_ = 0.0;
    if (k < 2 || b <= 0.0) {
        return;
    }
    const double stretch = std::sqrt((1.0 + b * k * k) / (1.0 + b));
    const double omegaK = k * omega_ * stretch;
    const double budget = period_ - onePoleDelay(lossPole_, omega_) - 1.0 - kMinFraction;
    dispersion_ = -largestBefore(0.99, [&](double x) {
        dispersion_ = -x;
        if (chainDelay(dispersion_, omega_) > budget) {
            return true;
        }
        designTuning();
        return loopDelay(omegaK) < period_ / stretch;
    });
}

// The delay line and the fractional allpass take what the other filters leave of the period.
// The allpass coefficient gives exactly the missing phase delay at the fundamental (not only at
// low frequencies, as the first-order Thiran formula would), so the first partial is in tune.
void WaveguideString::designTuning() {
    const double rest = period_ - onePoleDelay(lossPole_, omega_) - chainDelay(dispersion_, omega_);
    const double whole = std::max(1.0, std::floor(rest - kMinFraction));
    const double d = rest - whole;
    delayLength_ = static_cast<std::size_t>(whole);
    tuning_ = std::sin((1.0 - d) * omega_ / 2.0) / std::sin((1.0 + d) * omega_ / 2.0);
}

double WaveguideString::loopDelay(double omega) const {
    return static_cast<double>(delayLength_) + allpassDelay(tuning_, omega) +
           onePoleDelay(lossPole_, omega) + chainDelay(dispersion_, omega);
}

double WaveguideString::loopGain(double omega) const {
    return lossGain_ * onePoleGain(lossPole_, omega);
}

// What the pick puts into the string: the slope at the bridge of a string pulled aside at the
// pick position (a step from one side of the kink to the other: its spectrum has the notches of
// the pick position), plus a little pick noise, both rounded off by the pick's hardness. The
// whole has no DC, so none builds up in the loop.
std::vector<double> WaveguideString::excitation() const {
    const std::size_t length = std::max<std::size_t>(2, static_cast<std::size_t>(period_));
    const auto kink = std::clamp<std::size_t>(
        static_cast<std::size_t>(std::lround(voice_.pickPosition * static_cast<double>(length))), 1,
        length - 1);
    PickNoise noise(voice_.seed);
    std::vector<double> pluck(length + kPickTail, 0.0);
    double noiseSum = 0.0;
    for (std::size_t n = 0; n < length; ++n) {
        const double slope =
            n < kink ? static_cast<double>(length - kink) : -static_cast<double>(kink);
        const double grain = 0.15 * noise.next();
        noiseSum += grain;
        pluck[n] = slope / static_cast<double>(length) + grain;
    }
    for (std::size_t n = 0; n < length; ++n) {
        pluck[n] -= noiseSum / static_cast<double>(length);
    }
    const double cutoff = 2000.0 + 9000.0 * voice_.pickHardness;
    const double pole = std::exp(-kTwoPi * cutoff / voice_.sampleRate);
    for (int pass = 0; pass < 2; ++pass) {
        double state = 0.0;
        for (double& v : pluck) {
            state = (1.0 - pole) * v + pole * state;
            v = state;
        }
    }
    return pluck;
}

std::vector<double> WaveguideString::render(std::size_t frames) const {
    const std::vector<double> pluck = excitation();
    std::vector<double> line(delayLength_, 0.0);
    std::vector<double> out(frames);
    const double lossInput = lossGain_ * (1.0 + lossPole_);
    double fractionIn = 0.0;
    double fractionOut = 0.0;
    double loss = 0.0;
    std::array<double, kDispersionSections> sectionIn{};
    std::array<double, kDispersionSections> sectionOut{};
    std::size_t position = 0;
    for (std::size_t n = 0; n < frames; ++n) {
        const double back = line[position];
        const double fraction = tuning_ * (back - fractionOut) + fractionIn;
        fractionIn = back;
        fractionOut = fraction;
        loss = lossInput * fraction - lossPole_ * loss;
        double x = loss;
        for (std::size_t i = 0; i < sectionIn.size(); ++i) {
            const double y = dispersion_ * (x - sectionOut[i]) + sectionIn[i];
            sectionIn[i] = x;
            sectionOut[i] = y;
            x = y;
        }
        const double sample = x + (n < pluck.size() ? pluck[n] : 0.0);
        line[position] = sample;
        position = position + 1 == delayLength_ ? 0 : position + 1;
        out[n] = sample;
    }
    return out;
}
