#include "foundation/Bundle.h"
#include "host/AudioFileReader.h"
#include "metronome/MTSettings.h"
#include "metronome/MTTimeSignature.h"
#include "support/Subprocess.h"
#include "support/TempDir.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace fretkit::host;

namespace {

constexpr double kRate = 44100.0;
constexpr double kTempo = 97.0;
constexpr int kBeats = 50; // 49 beats apart: 30.3 s

// Channel 0 of a 16-bit WAV file, sample for sample.
std::vector<std::int16_t> readLeft(const std::string& path) {
    std::string error;
    auto reader = AudioFileReader::open(path, &error);
    EXPECT_TRUE(reader) << error;
    std::vector<std::int16_t> left;
    if (!reader) {
        return left;
    }
    std::vector<float> block(4096 * reader->channels());
    while (const std::uint32_t frames = reader->read(block.data(), 4096)) {
        for (std::uint32_t i = 0; i < frames; ++i) {
            left.push_back(
                static_cast<std::int16_t>(std::lround(block[i * reader->channels()] * 32768.0f)));
        }
    }
    return left;
}

// Starts of the runs of sound that follow at least 1000 silent frames.
std::vector<std::size_t> soundStarts(const std::vector<std::int16_t>& samples) {
    std::vector<std::size_t> starts;
    std::size_t silent = 1000;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (samples[i] != 0 && silent >= 1000) {
            starts.push_back(i);
        }
        silent = samples[i] == 0 ? silent + 1 : 0;
    }
    return starts;
}

SubprocessResult runApp(const TempDir& dir, const std::string& arguments) {
    return runCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u FRETKIT_AUDIO -u FRETKIT_AUDIO_INPUT "
                      "QT_QPA_PLATFORM=offscreen FRETKIT_DEFAULTS=" +
                      dir.file("defaults.plist") + " " + FRETKIT_APP + " " + arguments + " 2>&1");
}

} // namespace

// The real app on the file driver, driven by clicks: Metronome on the home menu, Start, 50
// beats, Stop. The output file holds every click at its exact frame on the grid of 97 BPM,
// accented on beats 0 and 3 of each bar of 7, and the screen animated each beat once.
TEST(MetronomeApp, ClicksOnTheExactBeatGridWithOneAnimationPerBeat) {
    TempDir dir;
    const MTTimeSignature signature = *MTTimeSignature::parse("7:0,3", nullptr);
    dir.write("defaults.plist",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
              "<key>MT_tempo</key><integer>97</integer><key>MT_timeSignature</key><integer>" +
                  std::to_string(signature.encoded()) + "</integer></dict></plist>\n");
    // Points of the phone screen: the second row of the home menu, then the start button
    // under the 20-point status bar and the 44-point navigation bar.
    dir.write("script.txt", "click 160 180\n"
                            "wait 1\n"
                            "click 160 400\n"
                            "until animationCount >= " +
                                std::to_string(kBeats) +
                                " 120\n"
                                "wait 0.2\n"
                                "click 160 400\n"
                                "wait 0.5\n"
                                "print animationCount\n");
    const std::string wav = dir.file("out.wav");
    const SubprocessResult run =
        runCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u FRETKIT_AUDIO -u FRETKIT_AUDIO_INPUT "
                   "QT_QPA_PLATFORM=offscreen FRETKIT_DEFAULTS=" +
                   dir.file("defaults.plist") + " " + FRETKIT_APP + " --audio file --output " +
                   wav + " --script " + dir.file("script.txt") + " 2>&1");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("animationCount = " + std::to_string(kBeats) + "\n"),
              std::string::npos)
        << run.output;

    const std::vector<std::int16_t> out = readLeft(wav);
    const std::vector<std::size_t> starts = soundStarts(out);
    ASSERT_EQ(starts.size(), static_cast<std::size_t>(kBeats));
    const std::vector<std::int16_t> blip =
        MTSettings::loadClick(fretkit::Bundle::main(), "Blip", nullptr).value();
    std::size_t lead = 0; // the click's attack starts from silence
    while (blip[lead] == 0) {
        ++lead;
    }
    const std::size_t first = starts[0] - lead;
    for (int beat = 0; beat < kBeats; ++beat) {
        SCOPED_TRACE(beat);
        const auto frame =
            first + static_cast<std::size_t>(std::lround(beat * 60.0 * kRate / kTempo));
        const float gain = beat % 7 == 0 || beat % 7 == 3 ? 1.0f : 0.25f;
        ASSERT_LE(frame + blip.size(), out.size());
        for (std::size_t i = 0; i < blip.size(); ++i) {
            const auto expected =
                static_cast<std::int16_t>(std::round(static_cast<float>(blip[i]) * gain));
            ASSERT_EQ(out[frame + i], expected) << "sample " << i;
        }
    }
}

TEST(MetronomeApp, AScriptLineThatCannotBePlayedEndsTheRunWithItsNumber) {
    TempDir dir;
    dir.write("script.txt", "# the home menu has no beats\n"
                            "wait 0.1\n"
                            "click 160\n");
    const SubprocessResult bad = runApp(dir, "--audio virtual --script " + dir.file("script.txt"));
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.output.find("script line 3 (click 160): click takes X Y"), std::string::npos)
        << bad.output;
    dir.write("script.txt", "until animationCount >= 1 0.1\n");
    const SubprocessResult never =
        runApp(dir, "--audio virtual --script " + dir.file("script.txt"));
    EXPECT_EQ(never.status, 1);
    EXPECT_NE(never.output.find("animationCount stayed at"), std::string::npos) << never.output;
}
