#include "host/AudioFileReader.h"
#include "support/StringSamples.h"
#include "support/Subprocess.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

using namespace fretkit::host;

namespace {

constexpr int kRate = 44100;
// The open C shape, x 3 2 0 1 0: strings 1 to 5 sound C3, E3, G3, C4 and E4.
constexpr std::array<unsigned, 5> kNotes = {48, 52, 55, 60, 64};
// Every sample of the muted low string sounds this, so that any sound of it can be told apart.
constexpr double kLowStringMarker = 70.0;

// The app's bundle with its string recordings replaced by plain decaying sines: each string's
// pitch and start then stand apart in the output, where a recording's partials would overlap
// (C4 is C3's octave). The shape's five strings, and every note of the low string.
std::string sineBundle(const TempDir& dir) {
    namespace fs = std::filesystem;
    const fs::path built = std::getenv("FRETKIT_BUNDLE");
    const fs::path bundle = dir.path() / "bundle";
    fs::create_directory(bundle);
    for (const auto& entry : fs::directory_iterator(built)) {
        if (entry.path().extension() != ".aif") {
            fs::create_symlink(entry.path(), bundle / entry.path().filename());
        }
    }
    for (unsigned s = 1; s <= kNotes.size(); ++s) {
        string_samples::writeStringSample(bundle.string(), s, kNotes[s - 1], kRate, 2.0, 8000.0);
    }
    for (unsigned note = 40; note <= 64; ++note) {
        char name[16];
        std::snprintf(name, sizeof(name), "/00_%02u.aif", note);
        string_samples::writeAiff(bundle.string() + name, kRate,
                                  string_samples::pluck(kLowStringMarker, kRate, 2.0, 8000.0));
    }
    return bundle.string();
}

std::vector<float> readLeft(const std::string& path) {
    std::vector<float> left;
    auto reader = AudioFileReader::open(path, nullptr);
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

// The Hann-windowed spectrum's magnitude at `hz` over `count` samples from `start`.
double magnitude(const std::vector<float>& sound, std::size_t start, std::size_t count, double hz) {
    std::complex<double> sum;
    const double w = 2.0 * std::numbers::pi * hz / kRate;
    for (std::size_t i = 0; i < count && start + i < sound.size(); ++i) {
        const double hann = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) /
                                                 static_cast<double>(count - 1));
        sum += hann * static_cast<double>(sound[start + i]) *
               std::polar(1.0, -w * static_cast<double>(i));
    }
    return std::abs(sum) / static_cast<double>(count);
}

// Where the sound at `hz` first reaches a third of its loudest, in 93 ms windows every 256
// samples: a window that narrow in frequency keeps the next string's pitch out.
std::size_t onset(const std::vector<float>& sound, double hz) {
    constexpr std::size_t kWindow = 4096;
    std::vector<double> envelope;
    for (std::size_t at = 0; at + kWindow < sound.size(); at += 256) {
        envelope.push_back(magnitude(sound, at, kWindow, hz));
    }
    const double loudest = *std::max_element(envelope.begin(), envelope.end());
    const auto first = std::find_if(envelope.begin(), envelope.end(),
                                    [&](double m) { return m >= loudest / 3.0; });
    return static_cast<std::size_t>(first - envelope.begin()) * 256;
}

// The strongest pitch within half a semitone of `hz` in 0.74 s from `start`, in cents from
// `hz`: to the cent first, then to a twentieth of one.
double centsOff(const std::vector<float>& sound, std::size_t start, double hz) {
    double best = 0.0;
    for (const auto& [span, step] : {std::pair{50.0, 1.0}, std::pair{1.0, 0.05}}) {
        double loudest = -1.0;
        const double around = best;
        for (double cents = around - span; cents <= around + span; cents += step) {
            const double m = magnitude(sound, start, 32768, hz * std::pow(2.0, cents / 1200.0));
            if (m > loudest) {
                loudest = m;
                best = cents;
            }
        }
    }
    return best;
}

// The loudest the sound ever is at `hz`, in windows of 0.74 s.
double loudestAt(const std::vector<float>& sound, double hz) {
    double loudest = 0.0;
    for (std::size_t at = 0; at + 32768 <= sound.size(); at += 8192) {
        loudest = std::max(loudest, magnitude(sound, at, 32768, hz));
    }
    return loudest;
}

} // namespace

// The real app on the file driver, driven by the mouse: Chords on the home menu, the chord's
// plate, three taps on the picker's root wheel to go from E to C, Done, then one drag across
// all six strings from the thickest. Heard in the output: the open C shape's five strings at
// their pitches, in the order the drag crossed them, the muted low string not at all, no
// clipping.
TEST(ChordsApp, PickedByClicksAndStrummedByADragTheOpenCShapeSoundsStringByString) {
    TempDir dir;
    const std::string bundle = sineBundle(dir);
    // Points of the phone screen: the status bar is 20 high, the navigation bar 44; the third
    // row of the home menu; the chord's plate; the picker's root wheel, whose band lies at 372
    // once it is up, rows 44 apart; Done; the neck's strings lie at x 90 to 255.
    dir.write("script.txt", "click 160 256\n"
                            "wait 1.5\n"
                            "print chordName\n"
                            "click 160 96\n"
                            "wait 0.8\n"
                            "click 34 284\n"
                            "wait 0.6\n"
                            "click 34 284\n"
                            "wait 0.6\n"
                            "click 34 328\n"
                            "wait 0.6\n"
                            "print chordName\n"
                            "click 300 42\n"
                            "wait 0.8\n"
                            "drag 60 330 285 330 1.2\n"
                            "wait 2.5\n");
    const std::string wav = dir.file("out.wav");
    const SubprocessResult run = runCommand(
        "env -u DISPLAY -u WAYLAND_DISPLAY -u FRETKIT_AUDIO -u FRETKIT_AUDIO_INPUT "
        "QT_QPA_PLATFORM=offscreen FRETKIT_BUNDLE=" +
        bundle + " FRETKIT_DEFAULTS=" + dir.file("defaults.plist") + " " + FRETKIT_APP +
        " --audio file --output " + wav + " --script " + dir.file("script.txt") + " 2>&1");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("chordName = E Maj triad\nchordName = C Maj triad\n"),
              std::string::npos)
        << run.output;

    const std::vector<float> sound = readLeft(wav);
    ASSERT_GT(sound.size(), std::size_t{5 * kRate});
    float peak = 0.0f;
    for (const float v : sound) {
        peak = std::max(peak, std::fabs(v));
    }
    EXPECT_GT(peak, 0.2f);
    EXPECT_LT(peak, 0.99f) << "clipped";

    std::vector<std::size_t> starts;
    for (const unsigned note : kNotes) {
        starts.push_back(onset(sound, string_samples::noteHz(note)));
    }
    for (std::size_t s = 1; s < starts.size(); ++s) {
        // The drag crosses a string every 0.18 s.
        EXPECT_GT(starts[s], starts[s - 1] + kRate / 20)
            << "string " << s + 1 << " after string " << s;
    }
    const std::size_t ringing = starts.back() + kRate / 10;
    double weakest = 1.0;
    for (const unsigned note : kNotes) {
        const double hz = string_samples::noteHz(note);
        EXPECT_NEAR(centsOff(sound, ringing, hz), 0.0, 5.0) << "MIDI note " << note;
        weakest = std::min(weakest, loudestAt(sound, hz));
    }
    // The other strings' sudden starts spill a little over every pitch; the low string, had it
    // sounded, would be as loud as they are.
    EXPECT_LT(loudestAt(sound, kLowStringMarker), weakest / 20.0) << "the muted string sounded";
}
