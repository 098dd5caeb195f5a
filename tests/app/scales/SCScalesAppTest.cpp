#include "audio/QVAudioBuffer.h"
#include "audio/QVSampleDecoder.h"
#include "foundation/Bundle.h"
#include "host/AudioFileReader.h"
#include "scales/SCScaleLibrary.h"
#include "support/Subprocess.h"
#include "support/TempDir.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

using namespace fretkit::host;

namespace {

constexpr double kRate = 44100.0;
constexpr std::size_t kBuffer = 512;        // the file driver's buffer
constexpr double kStepFrames = kRate / 2.0; // 0.25^0.5 s, the default speed
// A step is quantised to the driver's buffers, and the main thread's timer that asks for each
// note may fire a little late (a millisecond late after one on time already moves the note by a
// buffer): one buffer for each.
constexpr double kStepTolerance = 2.0 * kBuffer;
constexpr unsigned kRootA = 12;
constexpr unsigned kMinorPentatonic = 5;

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

// Where the sample starts in the output, unchanged, at or after `from` (its first sounding
// stretch is compared, past any silence it starts with).
std::optional<std::size_t> onsetOf(const std::vector<std::int16_t>& out, const QVAudioBuffer& note,
                                   std::size_t from) {
    const std::int16_t* sample = note.channel(0);
    constexpr std::size_t kMatch = 256;
    std::size_t lead = 0;
    while (lead < note.frames() && sample[lead] == 0) {
        ++lead;
    }
    if (lead + kMatch > note.frames()) {
        return std::nullopt;
    }
    for (std::size_t at = from; at + lead + kMatch <= out.size(); ++at) {
        std::size_t i = 0;
        while (i < kMatch && out[at + lead + i] == sample[lead + i]) {
            ++i;
        }
        if (i == kMatch) {
            return at;
        }
    }
    return std::nullopt;
}

// The frequency of the strongest partial within a semitone of `near`, from the Hann-windowed
// spectrum of the samples, searched in steps of half a cent; nullopt when the strongest lies at
// the edge of the search, that is when the note is further off than a semitone.
std::optional<double> frequencyNear(const std::vector<std::int16_t>& out, std::size_t from,
                                    std::size_t count, double near) {
    const double length = static_cast<double>(count);
    const auto magnitude = [&](double hz) {
        double re = 0.0;
        double im = 0.0;
        for (std::size_t i = 0; i < count; ++i) {
            const double t = static_cast<double>(i);
            const double w = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * t / length);
            const double phase = 2.0 * std::numbers::pi * hz * t / kRate;
            re += w * out[from + i] * std::cos(phase);
            im -= w * out[from + i] * std::sin(phase);
        }
        return std::hypot(re, im);
    };
    int best = 0;
    double strongest = -1.0;
    for (int halfCents = -200; halfCents <= 200; ++halfCents) {
        const double m = magnitude(near * std::exp2(halfCents / 2400.0));
        if (m > strongest) {
            strongest = m;
            best = halfCents;
        }
    }
    if (std::abs(best) == 200) {
        return std::nullopt;
    }
    return near * std::exp2(best / 2400.0);
}

SubprocessResult runApp(const TempDir& dir, const std::string& arguments) {
    return runCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u FRETKIT_AUDIO -u FRETKIT_AUDIO_INPUT "
                      "QT_QPA_PLATFORM=offscreen FRETKIT_DEFAULTS=" +
                      dir.file("defaults.plist") + " " + FRETKIT_APP + " " + arguments + " 2>&1");
}

} // namespace

// The real app on the file driver, driven by the mouse: Scales on the home menu, A minor
// pentatonic's first pattern, a stroke across the neck from the thickest string to the thinnest.
// The output holds the pattern's notes from the first root upward, each its own sample from its
// start at its pitch, one every 0.25^speed s. A note asked for while another sounds starts one
// buffer later (that buffer fades the other out), the first at once: so the first step is a
// buffer longer.
TEST(ScalesApp, AMouseStrumPlaysThePatternFromItsFirstRootUpwardAtTheStrumsPace) {
    TempDir dir;
    dir.write("defaults.plist",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
              "<key>SC_rootIndex</key><integer>12</integer><key>SC_group</key><integer>0</integer>"
              "<key>SC_type</key><integer>5</integer></dict></plist>\n");
    // Points of the phone screen: the fourth row of the home menu; then, once the scales screen
    // has slid in and loaded its sounds, a stroke at the height of the upright neck's fifth fret,
    // where the open pattern has no markers, from left of string 0 to right of string 5.
    dir.write("script.txt", "click 160 333\n"
                            "wait 1\n"
                            "until soundsLoaded >= 1 30\n"
                            "print currentScaleIndex\n"
                            "drag 20 420 232 420 0.2\n"
                            "wait 7\n");
    const std::string wav = dir.file("out.wav");
    const SubprocessResult run =
        runApp(dir, "--audio file --output " + wav + " --script " + dir.file("script.txt"));
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("currentScaleIndex = 0\n"), std::string::npos) << run.output;

    const fretkit::SCScaleLibrary library(fretkit::Bundle::main());
    const auto patterns = library.scalesForRoot(kRootA, kMinorPentatonic, {});
    ASSERT_FALSE(patterns.empty());
    const auto& notes = patterns.front().notes();
    std::size_t first = 0;
    while (first < notes.size() && !notes[first].isRoot()) {
        ++first;
    }
    ASSERT_LT(first, notes.size());

    const std::vector<std::int16_t> out = readLeft(wav);
    const QVSampleDecoder decoder(kRate);
    std::vector<std::size_t> onsets;
    for (std::size_t i = first; i < notes.size(); ++i) {
        SCOPED_TRACE(notes[i].MIDINote());
        auto sample = decoder.decodeStringSample(fretkit::Bundle::main(), notes[i].string(),
                                                 notes[i].MIDINote());
        ASSERT_TRUE(sample);
        const auto onset = onsetOf(out, *sample, onsets.empty() ? 0 : onsets.back() + 1);
        ASSERT_TRUE(onset.has_value()) << "the note's sample is not in the output";
        if (!onsets.empty()) {
            const double step =
                static_cast<double>(*onset - onsets.back() - (onsets.size() == 1 ? kBuffer : 0));
            EXPECT_LE(std::abs(step - kStepFrames), kStepTolerance) << "step " << onsets.size();
        }
        onsets.push_back(*onset);
        const double expected = 440.0 * std::exp2((notes[i].MIDINote() - 69.0) / 12.0);
        const auto heard = frequencyNear(out, *onset + 2048, 16384, expected);
        ASSERT_TRUE(heard.has_value()) << "a semitone or more off";
        EXPECT_LE(std::abs(1200.0 * std::log2(*heard / expected)), 5.0);
    }
    // Over the whole strum the pace is exact to a fraction of a buffer.
    const double mean = static_cast<double>(onsets.back() - onsets.front() - kBuffer) /
                        static_cast<double>(onsets.size() - 1);
    EXPECT_LE(std::abs(mean - kStepFrames), kBuffer / 4.0);
    // The last note rings out for its two seconds and the strum stops there.
    const std::size_t end = onsets.back() + decoder.stringSampleFrames();
    ASSERT_LT(end, out.size());
    for (std::size_t i = end; i < out.size(); ++i) {
        ASSERT_EQ(out[i], 0) << "sound after the last note, " << i - end << " frames on";
    }
}
