#pragma once

#include <cstdint>

// Everything that shapes one plucked note of a steel string: its pitch, its stiffness, how
// fast its low and high partials die away and how it is plucked.
struct PluckVoice {
    static constexpr double kHighFrequency = 4000.0; // Hz, where `highDecay` is taken

    double sampleRate = 44100.0;
    double frequency = 110.0;   // Hz, of the first partial
    double inharmonicity = 0.0; // B: partial k sounds at k f sqrt((1 + B k^2) / (1 + B))
    double decay = 4.0;         // seconds to fall by 60 dB at the first partial
    double highDecay = 0.5;     // seconds to fall by 60 dB at kHighFrequency
    double pickPosition = 0.13; // fraction of the vibrating length from the bridge
    double pickHardness = 0.5;  // 0 a soft thumb ... 1 a hard pick: the attack's brightness
    std::uint64_t seed = 1;     // of the pick noise, so every build writes the same sound
};
