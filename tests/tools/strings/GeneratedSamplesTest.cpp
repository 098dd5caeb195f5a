#include "f0est/nu_dsp_f0est.h"
#include "f0est/nu_dsp_fft.h"
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
#include <utility>
#include <vector>

using namespace fretkit;

namespace {

constexpr double kRate = 48000.0;
constexpr std::int64_t kFrames = 96000; // two seconds
constexpr int kHighestFret = 24;

std::string bundle() {
    const char* dir = std::getenv("FRETKIT_BUNDLE");
    return dir == nullptr ? "" : dir;
}

std::string samplePath(int string, int note) {
    char name[32];
    std::snprintf(name, sizeof name, "/%02d_%02d.aif", string, note);
    return bundle() + name;
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
        const PlistValue& notes = tuning["notes"];
        EXPECT_EQ(notes.count(), 6u) << tuning["name"].stringValue();
        for (int s = 0; s < 6; ++s) {
            const int open = notes[static_cast<std::size_t>(5 - s)].intValue();
            for (int detune = FRETKIT_LOWEST_DETUNE; detune <= FRETKIT_HIGHEST_DETUNE; ++detune) {
                for (int fret = 0; fret <= kHighestFret; ++fret) {
                    wanted.insert({s, open + detune + fret});
                }
            }
        }
    }
    return wanted;
}

std::vector<float> readSamples(const std::string& path) {
    std::string error;
    const auto reader = AudioFileReader::open(path, &error);
    if (!reader) {
        ADD_FAILURE() << error;
        return {};
    }
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

// The project's estimator on 16384 samples from `start`: the right note, to a few cents.
double coarseFundamental(const std::vector<float>& x, std::size_t start) {
    nu_dsp_f0est_internal_t* me = nu_dsp_f0est__create(kRate, 14);
    nu_dsp_f0est__submit(me, x.data() + start, 16384);
    double frequency = 0.0;
    double quality = 0.0;
    EXPECT_TRUE(nu_dsp_f0est__detect(me, &frequency, &quality));
    nu_dsp_f0est__destroy(me);
    return frequency;
}

// |sum w[n] x[n] e^(-i omega n)| over the segment, in double precision.
double magnitudeAt(const std::vector<double>& windowed, double frequency) {
    const double omega = 2.0 * std::numbers::pi * frequency / kRate;
    const double stepRe = std::cos(omega);
    const double stepIm = -std::sin(omega);
    double phasorRe = 1.0;
    double phasorIm = 0.0;
    double re = 0.0;
    double im = 0.0;
    for (const double v : windowed) {
        re += v * phasorRe;
        im += v * phasorIm;
        const double next = phasorRe * stepRe - phasorIm * stepIm;
        phasorIm = phasorRe * stepIm + phasorIm * stepRe;
        phasorRe = next;
    }
    return std::hypot(re, im);
}

// The first partial to a small fraction of a cent: the strongest bin of a zero-padded,
// Hann-windowed second of sound within 30 cents of the coarse estimate, then the exact peak of
// the transform between its neighbours by golden-section search.
double fineFundamental(const std::vector<float>& x, std::size_t start, double coarse) {
    constexpr std::uint32_t kLog2 = 16;
    constexpr std::size_t kSize = std::size_t{1} << kLog2;
    const auto length = static_cast<std::size_t>(kRate);
    std::vector<double> windowed(length);
    std::vector<nu_dsp_complex_f> in(kSize, {0.0f, 0.0f});
    std::vector<nu_dsp_complex_f> out(kSize);
    for (std::size_t n = 0; n < length; ++n) {
        const double w = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(n) /
                                              static_cast<double>(length));
        windowed[n] = w * static_cast<double>(x[start + n]);
        in[n].re = static_cast<float>(windowed[n]);
    }
    nu_dsp_fft_cf_t* plan = nullptr;
    nu_dsp_fft_cf__create(kLog2, &plan);
    nu_dsp_fft_cf__do_fft(plan, in.data(), out.data());
    nu_dsp_fft_cf__destroy(plan);
    const double binWidth = kRate / kSize;
    const auto low = static_cast<std::size_t>(coarse * std::exp2(-30.0 / 1200.0) / binWidth);
    const auto high = static_cast<std::size_t>(coarse * std::exp2(30.0 / 1200.0) / binWidth) + 1;
    std::size_t best = low;
    for (std::size_t k = low; k <= high; ++k) {
        if (std::hypot(out[k].re, out[k].im) > std::hypot(out[best].re, out[best].im)) {
            best = k;
        }
    }
    double a = (static_cast<double>(best) - 1.0) * binWidth;
    double b = (static_cast<double>(best) + 1.0) * binWidth;
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

TEST(GeneratedStringSamples, EverySampleTheToolsAskForIsTwoSecondsOf16BitMonoAt48kHz) {
    const std::set<std::pair<int, int>> wanted = wantedSamples();
    std::size_t aiffs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(bundle())) {
        aiffs += entry.path().extension() == ".aif" ? 1u : 0u;
    }
    EXPECT_EQ(aiffs, wanted.size()) << "one file per (string, note), and no other";
    for (const auto& [string, note] : wanted) {
        std::string error;
        const auto reader = AudioFileReader::open(samplePath(string, note), &error);
        ASSERT_TRUE(reader) << error;
        EXPECT_EQ(reader->fileFrames(), kFrames) << samplePath(string, note);
        EXPECT_EQ(reader->fileRate(), kRate);
        EXPECT_EQ(reader->channels(), 1u);
        EXPECT_EQ(reader->fileBits(), 16u);
    }
}

TEST(GeneratedStringSamples, StartAndEndCleanlyWithoutDc) {
    for (const auto& [string, note] : wantedSamples()) {
        const std::vector<float> x = readSamples(samplePath(string, note));
        ASSERT_EQ(x.size(), static_cast<std::size_t>(kFrames));
        const std::string name = samplePath(string, note);
        const std::size_t ms = 48;
        const std::size_t quarter = ms / 4;
        EXPECT_EQ(x.front(), 0.0f) << name;
        EXPECT_LT(std::abs(x[1]), 0.002f) << name;
        EXPECT_LT(rms(x, 0, quarter), 0.015) << name << ": no ramp in";
        EXPECT_LT(rms(x, 0, quarter), 0.5 * rms(x, quarter, quarter)) << name << ": no ramp in";
        EXPECT_LT(rms(x, x.size() - ms, ms), 1e-3) << name << ": no fade out";
        EXPECT_LE(std::abs(x.back()), 1.0f / 16384) << name;
        double sum = 0.0;
        float peak = 0.0f;
        for (const float v : x) {
            sum += static_cast<double>(v);
            peak = std::max(peak, std::abs(v));
        }
        EXPECT_LT(std::abs(sum / static_cast<double>(x.size())), 1e-3) << name << ": DC";
        EXPECT_NEAR(peak, 0.355f, 0.01f) << name << ": -9 dBFS peak";
    }
}

// Every string low, high and at every fifth note between: each first partial within a cent.
TEST(GeneratedStringSamples, ArePitchedWithinACent) {
    std::map<int, std::vector<int>> notesByString;
    for (const auto& [string, note] : wantedSamples()) {
        notesByString[string].push_back(note);
    }
    for (const auto& [string, notes] : notesByString) {
        for (std::size_t i = 0; i < notes.size(); ++i) {
            if (i % 5 != 0 && i + 1 != notes.size()) {
                continue;
            }
            const std::vector<float> x = readSamples(samplePath(string, notes[i]));
            ASSERT_EQ(x.size(), static_cast<std::size_t>(kFrames));
            const auto start = static_cast<std::size_t>(0.3 * kRate);
            const double coarse = coarseFundamental(x, start);
            EXPECT_LT(std::abs(cents(coarse, notes[i])), 50.0) << samplePath(string, notes[i]);
            const double fine = fineFundamental(x, start, coarse);
            EXPECT_LT(std::abs(cents(fine, notes[i])), 1.0) << samplePath(string, notes[i]);
        }
    }
}

TEST(GeneratedStringSamples, RemoveSoundIsAShortSoft16BitMonoWav) {
    std::string error;
    const auto reader = AudioFileReader::open(bundle() + "/CF_remove.wav", &error);
    ASSERT_TRUE(reader) << error;
    EXPECT_EQ(reader->channels(), 1u);
    EXPECT_EQ(reader->fileBits(), 16u);
    EXPECT_LT(static_cast<double>(reader->fileFrames()) / reader->fileRate(), 0.5);
    const std::vector<float> x = readSamples(bundle() + "/CF_remove.wav");
    float peak = 0.0f;
    for (const float v : x) {
        peak = std::max(peak, std::abs(v));
    }
    EXPECT_GT(peak, 0.1f);
    EXPECT_LT(peak, 0.5f);
    EXPECT_EQ(x.front(), 0.0f);
    EXPECT_LE(std::abs(x.back()), 1.0f / 16384);
}
