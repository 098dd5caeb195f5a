#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Synthesises the metronome's click sounds and the pickers' tocks at 44.1 kHz: short percussive
// sounds built from damped partials and filtered noise, shaped by an envelope that starts and
// ends at zero (a clean attack, no step at the end), with the mean removed (no DC) and the peak
// set to a given level.
class ClickSynth {
public:
    static constexpr double kRate = 44100.0;

    struct Partial {
        double frequency; // Hz
        double amplitude;
        double decay; // seconds to fall to 1/e
    };
    struct Recipe {
        std::string name;
        double seconds; // total length
        double attack;  // raised-cosine fade-in, seconds
        std::vector<Partial> partials;
        double noise = 0.0; // amplitude of high-passed noise
        double noiseDecay = 0.01;
        double peak = 0.9; // of full scale
    };

    // The metronome's clicks, "Blip" first, and the two picker tocks.
    static std::vector<Recipe> clicks();
    static Recipe tock();

    static std::vector<std::int16_t> render(const Recipe& recipe);
};
