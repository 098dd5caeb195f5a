#include "MusicCliSupport.h"
#include "host/AudioFileReader.h"
#include "support/StringSamples.h"

#include <gtest/gtest.h>

using namespace fretkit::host;

namespace {

struct Wav {
    double rate = 0;
    std::uint32_t channels = 0;
    std::vector<float> left;
};

Wav readWav(const std::string& path) {
    Wav wav;
    auto reader = AudioFileReader::open(path, nullptr);
    if (!reader) {
        return wav;
    }
    wav.rate = reader->fileRate();
    wav.channels = reader->channels();
    const auto frames = static_cast<std::uint32_t>(reader->fileFrames());
    std::vector<float> interleaved(std::size_t{frames} * wav.channels);
    reader->read(interleaved.data(), frames);
    for (std::size_t i = 0; i < interleaved.size(); i += wav.channels) {
        wav.left.push_back(interleaved[i]);
    }
    return wav;
}

float peak(const std::vector<float>& samples, std::size_t from, std::size_t to) {
    float found = 0.0f;
    for (std::size_t i = from; i < std::min(to, samples.size()); ++i) {
        found = std::max(found, std::abs(samples[i]));
    }
    return found;
}

// A bundle with the chord file, the scale types and short 48 kHz samples of frets 0-12 on every
// string but one note left out.
class PlayCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::array<unsigned, 6> open = {40, 45, 50, 55, 59, 64};
        for (unsigned s = 0; s < 6; ++s) {
            for (unsigned fret = 0; fret <= 12; ++fret) {
                if (s == 2 && fret == 2) {
                    continue; // 02_52 is missing
                }
                ASSERT_TRUE(string_samples::writeStringSample(bundle.dir().path().string(), s,
                                                              open[s] + fret, 48000, 0.4));
            }
        }
    }

    TestBundle bundle{"chords.db", "SCScales.plist", "BZTunings.plist", "CFChords.plist"};
};

TEST_F(PlayCommandsTest, ChordStrumRendersEveryStringIntoAWavFile) {
    const std::string wav = bundle.dir().file("g.wav");
    const auto run = bundle.run("play-chord G Maj triad --strum 0.1 -o '" + wav + "'");
    ASSERT_EQ(run.status, 0) << bundle.lastStderr();
    EXPECT_EQ(bundle.lastStderr(), "");
    const Wav sound = readWav(wav);
    EXPECT_EQ(sound.rate, 44100.0);
    EXPECT_EQ(sound.channels, 2u);
    // Six sounding strings 0.1 s apart, each two seconds long.
    EXPECT_NEAR(static_cast<double>(sound.left.size()) / 44100.0, 2.5, 0.05);
    for (int string = 0; string < 6; ++string) {
        const auto at = static_cast<std::size_t>((0.1 * string + 0.05) * 44100.0);
        EXPECT_GT(peak(sound.left, at, at + 2205), 0.05f) << "pluck " << string;
    }
    EXPECT_EQ(peak(sound.left, 88200, sound.left.size()), 0.0f)
        << "the 0.4 s samples leave the rest of their two seconds silent";
}

TEST_F(PlayCommandsTest, AChordSymbolChoosesTheShape) {
    const std::string wav = bundle.dir().file("gmaj7.wav");
    const auto run = bundle.run("play-chord Gmaj7 --shape 2 -o '" + wav + "'");
    ASSERT_EQ(run.status, 0) << bundle.lastStderr();
    EXPECT_GT(peak(readWav(wav).left, 0, 44100), 0.1f);
}

TEST_F(PlayCommandsTest, MissingSampleIsAWarningAndTheStringStaysSilent) {
    const std::string wav = bundle.dir().file("e.wav");
    const auto run = bundle.run("play-chord E Maj triad -o '" + wav + "'");
    ASSERT_EQ(run.status, 0) << bundle.lastStderr();
    EXPECT_NE(bundle.lastStderr().find("warning: 02_52.aif is missing"), std::string::npos)
        << bundle.lastStderr();
    EXPECT_GT(peak(readWav(wav).left, 0, 44100), 0.1f);
}

TEST_F(PlayCommandsTest, ScaleStrumRendersItsNotesOneAfterAnother) {
    const std::string wav = bundle.dir().file("scale.wav");
    const auto run = bundle.run("play-scale A \"Minor Pentatonic\" --pattern 1 --all-notes "
                                "--speed 1 -o '" +
                                wav + "'");
    ASSERT_EQ(run.status, 0) << bundle.lastStderr();
    const Wav sound = readWav(wav);
    // A note every quarter second: each quarter holds sound.
    ASSERT_GT(sound.left.size(), 44100u);
    for (std::size_t quarter = 0; quarter < 4; ++quarter) {
        const std::size_t at = quarter * 11025;
        EXPECT_GT(peak(sound.left, at, at + 11025), 0.05f) << "quarter " << quarter;
    }
}

TEST_F(PlayCommandsTest, BadInputIsRefusedWithAReason) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"play-chord H Maj triad -o x.wav", "unknown root 'H'"},
        {"play-chord E Maj triad --strum sideways -o x.wav", "--strum takes down, up or"},
        {"play-chord E Maj triad --shape 99 -o x.wav", "--shape takes a number from 1 to"},
        {"play-chord E Maj triad -o", "-o needs a file name"},
        {"play-chord Gmaj8 -o x.wav", "the closest we know: Gmaj7"},
        {"play-chord Gsus2 -o x.wav", "Gsus2 has no shapes in the chord database"},
        {"play-scale A \"Minor Pentatonic\" --speed 2 -o x.wav", "--speed takes a number"},
        {"play-scale A Nonsense -o x.wav", "no scale type 'Nonsense'"},
        {"play-scale A \"Minor Pentatonic\" --up --down -o x.wav", "choose --up or --down"},
    };
    for (const auto& [args, reason] : cases) {
        const auto run = bundle.run(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_NE(bundle.lastStderr().find(reason), std::string::npos)
            << args << ": " << bundle.lastStderr();
    }
}

} // namespace
