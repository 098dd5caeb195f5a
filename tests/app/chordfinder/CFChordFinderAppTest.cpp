#include "host/AudioFileReader.h"
#include "support/Subprocess.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <gtest/gtest.h>
#include <numbers>
#include <string>
#include <vector>

using namespace fretkit::host;

namespace {

constexpr double kRate = 44100.0;

// Points of the phone screen with the chord finder open: its page starts under the 20-point
// status bar and the 44-point navigation bar; the upright neck stands at x 40, y 94 of it, its
// strings 33 apart from x 50, its fret spaces 55 long from y 20; the titles stand on a row at
// y 58, 33 points high, over the strings' lines (2 points before them).
constexpr int kPageY = 64;
std::string cell(int string, int fret) {
    return std::to_string(40 + 50 + 33 * string) + " " +
           std::to_string(kPageY + 94 + 20 + 55 * fret - 27);
}
std::string title(int string) {
    return std::to_string(40 + 50 + 33 * string - 2) + " " + std::to_string(kPageY + 58 + 16);
}

std::vector<float> readLeft(const std::string& path) {
    std::string error;
    auto reader = AudioFileReader::open(path, &error);
    EXPECT_TRUE(reader) << error;
    std::vector<float> left;
    if (!reader) {
        return left;
    }
    std::vector<float> block(4096 * reader->channels());
    while (const std::uint32_t frames = reader->read(block.data(), 4096)) {
        for (std::uint32_t i = 0; i < frames; ++i) {
            left.push_back(block[i * reader->channels()]);
        }
    }
    return left;
}

// Starts of the runs of sound that follow at least half a second of silence.
std::vector<std::size_t> soundStarts(const std::vector<float>& samples) {
    const auto quiet = static_cast<std::size_t>(kRate / 2);
    std::vector<std::size_t> starts;
    std::size_t silent = quiet;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (samples[i] != 0.0f && silent >= quiet) {
            starts.push_back(i);
        }
        silent = samples[i] == 0.0f ? silent + 1 : 0;
    }
    return starts;
}

// The strength of the note's fundamental in a Hann-windowed half second from `from`.
double level(const std::vector<float>& samples, std::size_t from, int midiNote) {
    const double hz = 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
    const auto n = static_cast<std::size_t>(kRate / 2);
    std::complex<double> sum;
    for (std::size_t i = 0; i < n && from + i < samples.size(); ++i) {
        const double t = static_cast<double>(i);
        const double hann = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * t / n);
        sum += hann * static_cast<double>(samples[from + i]) *
               std::polar(1.0, -2.0 * std::numbers::pi * hz * t / kRate);
    }
    return std::abs(sum);
}

// The notes in the strum from `start`, once every string of it sounds: those whose level is at
// least a quarter of the strongest note's between E2 and E4.
std::vector<int> notesOf(const std::vector<float>& samples, std::size_t start) {
    const std::size_t from = start + static_cast<std::size_t>(0.4 * kRate);
    double strongest = 0.0;
    for (int note = 40; note <= 64; ++note) {
        strongest = std::max(strongest, level(samples, from, note));
    }
    std::vector<int> notes;
    for (int note = 40; note <= 64; ++note) {
        if (level(samples, from, note) >= strongest / 4.0) {
            notes.push_back(note);
        }
    }
    return notes;
}

} // namespace

// The real app on the file driver, played by the mouse: the chord finder from the home menu,
// x32010 fretted by clicks on the neck and the low E's title, a strum dragged across the strings;
// then the low E unmuted, and the A string muted before a second strum.
TEST(ChordFinderApp, FrettedByClicksNamedOnScreenAndHeardInTheOutput) {
    TempDir dir;
    const std::vector<std::string> lines = {
        "click 160 418", // Chord Finder, the fifth row of the home menu
        "wait 1",
        "click " + cell(1, 3),
        "click " + cell(2, 2),
        "click " + cell(4, 1),
        "click " + title(0),
        "print chordName",
        "wait 2.6", // the taps ring out
        "drag 70 420 280 420 0.3",
        "wait 2.6",
        "click " + title(0),
        "print chordName",
        "wait 2.6",
        "click " + title(1),
        "print chordName",
        "drag 70 420 280 420 0.3",
        "wait 2.6",
    };
    std::string script;
    for (const std::string& line : lines) {
        script += line + "\n";
    }
    dir.write("script.txt", script);
    const std::string wav = dir.file("out.wav");
    const SubprocessResult run =
        runCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u FRETKIT_AUDIO -u FRETKIT_AUDIO_INPUT "
                   "QT_QPA_PLATFORM=offscreen FRETKIT_DEFAULTS=" +
                   dir.file("defaults.plist") + " " + FRETKIT_APP + " --audio file --output " +
                   wav + " --script " + dir.file("script.txt") + " 2>&1");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("chordName = C\nchordName = C / E\nchordName = C / E\n"),
              std::string::npos)
        << run.output;

    const std::vector<float> out = readLeft(wav);
    const std::vector<std::size_t> starts = soundStarts(out);
    // The taps, the first strum, the low E sounding as it is unmuted, the second strum.
    ASSERT_EQ(starts.size(), 4u) << run.output;
    EXPECT_EQ(notesOf(out, starts[1]), (std::vector<int>{48, 52, 55, 60, 64})) << "C3 E3 G3 C4 E4";
    const std::vector<int> second = notesOf(out, starts[3]);
    EXPECT_EQ(std::count(second.begin(), second.end(), 48), 0) << "the muted C3 is gone";
    EXPECT_EQ(std::count(second.begin(), second.end(), 40), 1) << "the low E sounds";
    EXPECT_LT(level(out, starts[3] + 17640, 48), level(out, starts[1] + 17640, 48) / 10.0);
}

TEST(ChordFinderApp, ADragWithoutItsFourPointsEndsTheScriptWithItsReason) {
    TempDir dir;
    dir.write("script.txt", "drag 70 420 280\n");
    const SubprocessResult run =
        runCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u FRETKIT_AUDIO QT_QPA_PLATFORM=offscreen "
                   "FRETKIT_DEFAULTS=" +
                   dir.file("defaults.plist") + " " + FRETKIT_APP + " --audio virtual --script " +
                   dir.file("script.txt") + " 2>&1");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("script line 1 (drag 70 420 280): drag takes X1 Y1 X2 Y2 [SECONDS]"),
              std::string::npos)
        << run.output;
}
