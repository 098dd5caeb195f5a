#include "SampleSet.h"
#include "SteelString.h"
#include "StringSampleSynth.h"
#include "WaveguideString.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

using namespace fretkit;

namespace {

constexpr double kRate = 44100.0;

double omegaOf(double frequency) {
    return 2.0 * std::numbers::pi * frequency / kRate;
}

// The loop's k-th mode: where its phase delay makes k whole cycles in one round trip.
double partialFrequency(const WaveguideString& loop, int k, double near) {
    double low = 0.8 * near;
    double high = 1.2 * near;
    for (int i = 0; i < 60; ++i) {
        const double mid = 0.5 * (low + high);
        (loop.loopDelay(omegaOf(mid)) * mid / kRate < k ? low : high) = mid;
    }
    return 0.5 * (low + high);
}

struct Character {
    double brightness; // RMS of the first difference over RMS, first half second
    double sustain;    // RMS of the last half second over that of the first
};

Character characterOf(const std::vector<std::int16_t>& x) {
    const std::size_t half = x.size() / 4;
    double level = 0.0;
    double slope = 0.0;
    double tail = 0.0;
    for (std::size_t n = 1; n < half; ++n) {
        level += static_cast<double>(x[n]) * x[n];
        const double d = static_cast<double>(x[n]) - x[n - 1];
        slope += d * d;
    }
    for (std::size_t n = x.size() - half; n < x.size() - 2000; ++n) {
        tail += static_cast<double>(x[n]) * x[n];
    }
    return {std::sqrt(slope / level), std::sqrt(tail / level)};
}

} // namespace

TEST(WaveguideString, LoopIsExactlyOnePeriodAtTheFundamentalAndLosesEnergyEverywhere) {
    for (int s = 0; s < SteelString::kCount; ++s) {
        for (int note = 28; note <= 100; note += 3) {
            const PluckVoice voice = SteelString::forIndex(s).voice(note, kRate);
            const WaveguideString loop(voice);
            EXPECT_NEAR(loop.loopDelay(omegaOf(voice.frequency)), kRate / voice.frequency, 1e-9)
                << "string " << s << " note " << note;
            for (double f = 20.0; f < kRate / 2.0; f *= 1.5) {
                EXPECT_LT(loop.loopGain(omegaOf(f)), 1.0);
            }
        }
    }
}

TEST(WaveguideString, StiffnessStretchesTheEighthPartialAsTheStringsInharmonicityAsks) {
    for (int s = 0; s < SteelString::kCount; ++s) {
        const SteelString& string = SteelString::forIndex(s);
        const PluckVoice voice = string.voice(string.openNote, kRate);
        const WaveguideString loop(voice);
        const double b = voice.inharmonicity;
        const double asked = std::sqrt((1.0 + 64.0 * b) / (1.0 + b)) - 1.0;
        const double f8 = partialFrequency(loop, 8, 8.0 * voice.frequency);
        EXPECT_NEAR(f8 / (8.0 * voice.frequency) - 1.0, asked, 0.02 * asked) << "string " << s;
        EXPECT_GT(b, 1e-5);
        EXPECT_LT(b, 5e-4);
    }
}

// E4 (MIDI 64) is on every string: plain strings sound brighter than wound ones, and no two
// strings sound alike. Rendering twice gives the same samples.
TEST(StringSampleSynth, TheSixStringsSoundDifferentAtTheSameNote) {
    std::vector<Character> strings;
    for (int s = 0; s < SteelString::kCount; ++s) {
        const std::vector<std::int16_t> x = StringSampleSynth::render(s, 64);
        ASSERT_EQ(x.size(), 88200u);
        EXPECT_EQ(x, StringSampleSynth::render(s, 64)) << "string " << s;
        strings.push_back(characterOf(x));
    }
    for (std::size_t plain = 3; plain < 6; ++plain) {
        for (std::size_t wound = 0; wound < 3; ++wound) {
            EXPECT_GT(strings[plain].brightness, strings[wound].brightness);
        }
    }
    for (std::size_t a = 0; a < 6; ++a) {
        for (std::size_t b = a + 1; b < 6; ++b) {
            const double brighter = strings[a].brightness / strings[b].brightness;
            const double longer = strings[a].sustain / strings[b].sustain;
            EXPECT_GT(std::max(std::abs(std::log(brighter)), std::abs(std::log(longer))), 0.05)
                << "strings " << a << " and " << b;
        }
    }
}

// The build stops with a clear message on a tunings list it cannot use.
TEST(SampleSet, RejectsMalformedTunings) {
    std::string error;
    const auto tuning = [](const char* name, PlistValue notes) {
        return PlistValue::array({PlistValue::dictionary({{"name", name}, {"notes", notes}})});
    };
    EXPECT_FALSE(SampleSet::build(tuning("Five", PlistValue::array({64, 59, 55, 50, 45})), {0, 0},
                                  {0, 0}, error));
    EXPECT_EQ(error, "tuning 0 (Five) has 5 notes, not six");
    EXPECT_FALSE(SampleSet::build(tuning("High", PlistValue::array({120, 59, 55, 50, 45, 40})),
                                  {0, 6}, {0, 2}, error));
    EXPECT_EQ(error, "tuning 0 (High) reaches a note outside MIDI's 0 to 127");
    EXPECT_FALSE(SampleSet::build(PlistValue("Standard"), {0, 0}, {0, 0}, error));
    EXPECT_EQ(error, "the tunings list is no array");
}
