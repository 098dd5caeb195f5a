#include "f0est/nu_dsp_f0est.h"
#include "foundation/PlistFile.h"
#include "host/AudioFileReader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <numbers>
#include <set>
#include <vector>

using namespace fretkit::host;

using namespace fretkit;

namespace {

constexpr double kRate = 44100.0;
constexpr std::size_t kFrames = 88200; // two seconds
constexpr int kHighestFret = 24;

std::string inBundle(const std::string& name) {
    const char* dir = std::getenv("FRETKIT_BUNDLE");
    return (dir == nullptr ? std::string() : dir) + "/" + name;
}

std::string samplePath(int string, int note) {
    char name[16];
    std::snprintf(name, sizeof name, "%02d_%02d.aif", string, note);
    return inBundle(name);
}

// What the tools ask for: the chords screen plays standard tuning (40 45 50 55 59 64 from the
// thickest string) at any fret; the scales screen and the chord finder play string s of a tuning
// at notes[5 - s] + detune + fret.
std::set<std::pair<int, int>> wantedSamples() {
    std::set<std::pair<int, int>> wanted;
    const int standard[6] = {40, 45, 50, 55, 59, 64};
    for (int s = 0; s < 6; ++s) {
        for (int fret = 0; fret <= kHighestFret; ++fret) {
            wanted.insert({s, standard[s] + fret});
        }
    }
    const std::optional<PlistValue> tunings = PlistFile::read(FRETKIT_TUNINGS_FILE);
    EXPECT_TRUE(tunings.has_value());
    for (const PlistValue& tuning : tunings->arrayItems()) {
        for (int s = 0; s < 6; ++s) {
            const int open = tuning["notes"][static_cast<std::size_t>(5 - s)].intValue();
            for (int detune = FRETKIT_LOWEST_DETUNE; detune <= FRETKIT_HIGHEST_DETUNE; ++detune) {
                for (int fret = 0; fret <= kHighestFret; ++fret) {
                    wanted.insert({s, open + detune + fret});
                }
            }
        }
    }
    return wanted;
}

// The file's samples, after checking that it is 16-bit mono at `rate`.
std::vector<float> readSamples(const std::string& path, double rate = kRate) {
    std::string error;
    const auto reader = AudioFileReader::open(path, &error);
    if (!reader) {
        ADD_FAILURE() << error;
        return {};
    }
    EXPECT_EQ(reader->fileRate(), rate) << path;
    EXPECT_EQ(reader->channels(), 1u) << path;
    EXPECT_EQ(reader->fileBits(), 16u) << path;
    std::vector<float> samples(static_cast<std::size_t>(reader->fileFrames()));
    samples.resize(reader->read(samples.data(), static_cast<std::uint32_t>(samples.size())));
    return samples;
}

double rms(const std::vector<float>& x, std::size_t first, std::size_t count) {
    double sum = 0.0;
    for (std::size_t i = first; i < first + count; ++i) {
        sum += static_cast<double>(x[i]) * static_cast<double>(x[i]);
    }
    return std::sqrt(sum / static_cast<double>(count));
}

double cents(double frequency, int note) {
    return 1200.0 * std::log2(frequency / (440.0 * std::exp2((note - 69) / 12.0)));
}

// |sum y[n] e^(-i omega n)|, turning the phasor by multiplication.
double magnitudeAt(const std::vector<double>& y, double frequency) {
    const double omega = 2.0 * std::numbers::pi * frequency / kRate;
    const double turnRe = std::cos(omega);
    const double turnIm = -std::sin(omega);
    double phasorRe = 1.0;
    double phasorIm = 0.0;
    double re = 0.0;
    double im = 0.0;
    for (const double v : y) {
        re += v * phasorRe;
        im += v * phasorIm;
        const double next = phasorRe * turnRe - phasorIm * turnIm;
        phasorIm = phasorRe * turnIm + phasorIm * turnRe;
        phasorRe = next;
    }
    return std::hypot(re, im);
}

// The first partial: the project's estimator finds it to a few cents (well within the main lobe
// of a second's Hann window, +-2 Hz); a golden-section search for the peak of the windowed
// second's spectrum refines it to a small fraction of a cent.
double fundamental(const std::vector<float>& x, std::size_t start) {
    nu_dsp_f0est_internal_t* me = nu_dsp_f0est__create(kRate, 14);
    nu_dsp_f0est__submit(me, x.data() + start, 16384);
    double coarse = 0.0;
    double quality = 0.0;
    EXPECT_TRUE(nu_dsp_f0est__detect(me, &coarse, &quality));
    nu_dsp_f0est__destroy(me);
    std::vector<double> windowed(static_cast<std::size_t>(kRate));
    for (std::size_t n = 0; n < windowed.size(); ++n) {
        const double phase = 2.0 * std::numbers::pi * static_cast<double>(n) / kRate;
        windowed[n] = (0.5 - 0.5 * std::cos(phase)) * static_cast<double>(x[start + n]);
    }
    double a = coarse - 1.5;
    double b = coarse + 1.5;
    const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
    for (int i = 0; i < 22; ++i) {
        const double c = b - ratio * (b - a);
        const double d = a + ratio * (b - a);
        if (magnitudeAt(windowed, c) > magnitudeAt(windowed, d)) {
            b = d;
        } else {
            a = c;
        }
    }
    return (a + b) / 2.0;
}

} // namespace

TEST(GeneratedStringSamples, EveryWantedSampleIsThereAndStartsAndEndsCleanlyWithoutDc) {
    const std::set<std::pair<int, int>> wanted = wantedSamples();
    std::size_t samples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(inBundle(""))) {
        samples += entry.path().extension() == ".aif" ? 1u : 0u;
    }
    EXPECT_EQ(samples, wanted.size()) << "one file per (string, note), and no other";
    const std::size_t quarterMs = 12;
    for (const auto& [string, note] : wanted) {
        const std::string name = samplePath(string, note);
        const std::vector<float> x = readSamples(name);
        ASSERT_EQ(x.size(), kFrames) << name;
        EXPECT_EQ(x.front(), 0.0f) << name;
        EXPECT_LT(std::abs(x[1]), 0.002f) << name;
        EXPECT_LT(rms(x, 0, quarterMs), 0.015) << name << ": no ramp in";
        EXPECT_LT(rms(x, 0, quarterMs), 0.5 * rms(x, quarterMs, quarterMs)) << name;
        EXPECT_LT(rms(x, kFrames - 4 * quarterMs, 4 * quarterMs), 1e-3) << name << ": no fade";
        EXPECT_LE(std::abs(x.back()), 1.0f / 16384) << name;
        double sum = 0.0;
        float peak = 0.0f;
        for (const float v : x) {
            sum += static_cast<double>(v);
            peak = std::max(peak, std::abs(v));
        }
        EXPECT_LT(std::abs(sum / static_cast<double>(kFrames)), 1e-3) << name << ": DC";
        EXPECT_NEAR(peak, 0.355f, 0.01f) << name << ": -9 dBFS peak";
    }
}

// Every string at its lowest and highest note and every fifth between: within a cent.
TEST(GeneratedStringSamples, ArePitchedWithinACent) {
    std::map<int, std::vector<int>> notesByString;
    for (const auto& [string, note] : wantedSamples()) {
        notesByString[string].push_back(note);
    }
    for (const auto& [string, notes] : notesByString) {
        std::vector<int> measured;
        for (std::size_t i = 0; i < notes.size(); i += 5) {
            measured.push_back(notes[i]);
        }
        measured.push_back(notes.back());
        for (const int note : measured) {
            const std::vector<float> x = readSamples(samplePath(string, note));
            ASSERT_EQ(x.size(), kFrames);
            const double f = fundamental(x, static_cast<std::size_t>(0.3 * kRate));
            EXPECT_LT(std::abs(cents(f, note)), 1.0) << samplePath(string, note);
        }
    }
}

TEST(GeneratedStringSamples, RemoveSoundIsAShortSoftWav) {
    const std::vector<float> x = readSamples(inBundle("CF_remove.wav"), 44100.0);
    ASSERT_GT(x.size(), 0u);
    EXPECT_LT(static_cast<double>(x.size()) / 44100.0, 0.5);
    const float peak = std::abs(*std::max_element(
        x.begin(), x.end(), [](float a, float b) { return std::abs(a) < std::abs(b); }));
    EXPECT_GT(peak, 0.1f);
    EXPECT_LT(peak, 0.5f);
    EXPECT_EQ(x.front(), 0.0f);
    EXPECT_LE(std::abs(x.back()), 1.0f / 16384);
}
