#pragma once

#include <cstdint>
#include <vector>

// The finished sounds of the bundle: a plucked steel string heard through the body, without DC,
// faded in over a couple of milliseconds (no click) and out at the end, at a fixed peak level,
// as 16-bit samples.
class StringSampleSynth {
public:
    static constexpr double kSampleRate = 44100.0;
    static constexpr double kSeconds = 2.0;
    // -9 dBFS: six strings strummed a few milliseconds apart stay below full scale; plucked all
    // at once their attacks add up and a few milliseconds saturate.
    static constexpr double kPeak = 0.355;
    static constexpr double kFadeIn = 0.002;
    static constexpr double kFadeOut = 0.030;

    static constexpr double kRemoveRate = 44100.0;
    static constexpr double kRemoveSeconds = 0.25;
    static constexpr double kRemovePeak = 0.25; // -12 dBFS: a soft sound

    // Two seconds of MIDI `note` plucked on string `stringIndex` (0 the thickest).
    static std::vector<std::int16_t> render(int stringIndex, int note);

    // The chord finder's remove sound: a short, muted, dull pluck.
    static std::vector<std::int16_t> removeSound();

private:
    static std::vector<std::int16_t> finish(std::vector<double> signal, double sampleRate,
                                            double peak);
};
