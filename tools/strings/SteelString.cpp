#include "SteelString.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {

constexpr double kSteelDensity = 7850.0; // kg/m^3
constexpr double kSteelModulus = 2.0e11; // Pa
constexpr double kWoundCore = 0.42;      // core diameter of a wound string / its gauge
constexpr double kWoundMass = 0.8;       // its mass / that of a solid rod of the same gauge
constexpr double kPickFromBridge = 0.13; // of the open length
constexpr double kMetresPerInch = 0.0254;

// A medium set for a steel-string guitar, 48 to 11 thousandths, the lower three wound.
const std::array<SteelString, SteelString::kCount> kStrings = {{
    {0, 0.048, true, 40, 6.0, 0.60, 0.45},
    {1, 0.038, true, 45, 5.5, 0.70, 0.50},
    {2, 0.028, true, 50, 5.0, 0.80, 0.55},
    {3, 0.018, false, 55, 4.2, 1.30, 0.75},
    {4, 0.014, false, 59, 3.8, 1.50, 0.80},
    {5, 0.011, false, 64, 3.4, 1.70, 0.85},
}};

double noteFrequency(int note) {
    return 440.0 * std::exp2((note - 69) / 12.0);
}

} // namespace

const SteelString& SteelString::forIndex(int index) {
    return kStrings.at(static_cast<std::size_t>(index));
}

// B = pi^3 E d^4 / (64 T L^2) with the tension T = 4 L^2 f^2 mu of the string in tune.
double SteelString::openInharmonicity() const {
    const double pi = std::numbers::pi;
    const double diameter = gauge * kMetresPerInch;
    const double core = wound ? kWoundCore * diameter : diameter;
    const double mass = (wound ? kWoundMass : 1.0) * kSteelDensity * pi * diameter * diameter / 4.0;
    const double f = noteFrequency(openNote);
    const double tension = 4.0 * kScaleLength * kScaleLength * f * f * mass;
    return pi * pi * pi * kSteelModulus * std::pow(core, 4.0) /
           (64.0 * tension * kScaleLength * kScaleLength);
}

// Fretting shortens the string (B grows with 1/length^2, the pick sits relatively further from
// the bridge, the note rings shorter); tuning down slackens it (B grows with 1/tension). Either
// way B doubles every half octave away from the open note.
PluckVoice SteelString::voice(int note, double sampleRate) const {
    const int semitones = note - openNote;
    const double frequency = noteFrequency(note);
    PluckVoice v;
    v.sampleRate = sampleRate;
    v.frequency = frequency;
    v.inharmonicity = openInharmonicity() * std::exp2(std::abs(semitones) / 6.0);
    v.decay = openDecay * std::sqrt(noteFrequency(openNote) / frequency);
    v.highDecay = std::min(highDecay, 0.8 * v.decay);
    v.pickPosition = std::min(0.45, kPickFromBridge * std::exp2(std::max(semitones, 0) / 12.0));
    v.pickHardness = pickHardness;
    v.seed = static_cast<std::uint64_t>(index * 128 + note) + 1;
    return v;
}
