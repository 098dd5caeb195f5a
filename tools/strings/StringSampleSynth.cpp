#include "StringSampleSynth.h"

#include "BodyResonance.h"
#include "SteelString.h"
#include "WaveguideString.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kDcCutoff = 5.0; // Hz, well below the lowest string note

double raisedCosine(double fraction) {
    return 0.5 - 0.5 * std::cos(std::numbers::pi * std::clamp(fraction, 0.0, 1.0));
}

void removeDc(std::vector<double>& signal, double sampleRate) {
    const double r = 1.0 - 2.0 * std::numbers::pi * kDcCutoff / sampleRate;
    double previousIn = 0.0;
    double previousOut = 0.0;
    for (double& v : signal) {
        const double out = v - previousIn + r * previousOut;
        previousIn = v;
        previousOut = out;
        v = out;
    }
}

// Raised-cosine fades: the first sample is zero and so is the last.
void fade(std::vector<double>& signal, double sampleRate) {
    const double in = StringSampleSynth::kFadeIn * sampleRate;
    const double out = StringSampleSynth::kFadeOut * sampleRate;
    const std::size_t last = signal.size() - 1;
    for (std::size_t n = 0; n <= last && static_cast<double>(n) < in; ++n) {
        signal[n] *= raisedCosine(static_cast<double>(n) / in);
    }
    for (std::size_t n = 0; n <= last && static_cast<double>(n) < out; ++n) {
        signal[last - n] *= raisedCosine(static_cast<double>(n) / out);
    }
}

} // namespace

std::vector<std::int16_t> StringSampleSynth::render(int stringIndex, int note) {
    const PluckVoice voice = SteelString::forIndex(stringIndex).voice(note, kSampleRate);
    const auto frames = static_cast<std::size_t>(kSeconds * kSampleRate);
    return finish(WaveguideString(voice).render(frames), kSampleRate, kPeak);
}

std::vector<std::int16_t> StringSampleSynth::removeSound() {
    PluckVoice voice = SteelString::forIndex(3).voice(57, kRemoveRate);
    voice.decay = 0.12;
    voice.highDecay = 0.03;
    voice.pickHardness = 0.2;
    const auto frames = static_cast<std::size_t>(kRemoveSeconds * kRemoveRate);
    return finish(WaveguideString(voice).render(frames), kRemoveRate, kRemovePeak);
}

std::vector<std::int16_t> StringSampleSynth::finish(std::vector<double> signal, double sampleRate,
                                                    double peak) {
    BodyResonance::apply(signal, sampleRate);
    removeDc(signal, sampleRate);
    fade(signal, sampleRate);
    double largest = 1e-12;
    for (const double v : signal) {
        largest = std::max(largest, std::abs(v));
    }
    std::vector<std::int16_t> samples(signal.size());
    for (std::size_t n = 0; n < signal.size(); ++n) {
        samples[n] = static_cast<std::int16_t>(std::lround(signal[n] / largest * peak * 32767.0));
    }
    return samples;
}
