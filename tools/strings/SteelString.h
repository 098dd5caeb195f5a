#pragma once

#include "PluckVoice.h"

// One of the six steel strings the samples are played on, 0 the thickest: its gauge and
// winding, its note in standard tuning and how it rings. Other notes on the same string are
// fretted above that note or tuned down below it.
struct SteelString {
    static constexpr int kCount = 6;
    static constexpr double kScaleLength = 0.648; // metres, nut to bridge

    static const SteelString& forIndex(int index); // 0 ... 5

    // The voice of `note` (MIDI) on this string.
    PluckVoice voice(int note, double sampleRate) const;

    // B of the open string in standard tuning, from its core's bending stiffness against its
    // tension.
    double openInharmonicity() const;

    int index;
    double gauge;     // outer diameter, inches
    bool wound;       // a steel core with a winding: heavier, less stiff, duller
    int openNote;     // MIDI note in standard tuning
    double openDecay; // seconds to -60 dB at the open string's first partial
    double highDecay; // seconds to -60 dB at 4 kHz
    double pickHardness;
};
