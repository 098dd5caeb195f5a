#pragma once

#include <vector>

// A simple guitar body: the direct sound of the string plus a few resonant modes of the box
// (the air in the sound hole, the top's first modes and a broad presence around 2.8 kHz), each
// a band-pass filter with unit gain at its centre.
class BodyResonance {
public:
    struct Mode {
        double frequency; // Hz
        double q;
        double gain;
    };

    static const std::vector<Mode>& modes();

    // Filters `signal` in place.
    static void apply(std::vector<double>& signal, double sampleRate);
};
