#include "MetronomeOptions.h"
#include "foundation/Bundle.h"
#include "host/AudioFileReader.h"
#include "metronome/MTSettings.h"
#include "support/Subprocess.h"
#include "support/TempDir.h"

#include <cmath>
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

using namespace fretkit::host;

namespace {

std::string cli() {
    return std::string(FRETKIT_CLI) + " metronome ";
}

struct Wav {
    double rate = 0;
    std::uint32_t channels = 0;
    std::vector<std::vector<std::int16_t>> samples; // per channel
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
    wav.samples.assign(wav.channels, std::vector<std::int16_t>(frames));
    for (std::size_t i = 0; i < interleaved.size(); ++i) {
        wav.samples[i % wav.channels][i / wav.channels] =
            static_cast<std::int16_t>(std::lround(interleaved[i] * 32768.0f));
    }
    return wav;
}

// Frames where sound starts after at least `gap` silent frames.
std::vector<std::size_t> onsets(const std::vector<std::int16_t>& samples, std::size_t gap) {
    std::vector<std::size_t> found;
    std::size_t silent = gap;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (samples[i] != 0 && silent >= gap) {
            found.push_back(i);
        }
        silent = samples[i] == 0 ? silent + 1 : 0;
    }
    return found;
}

// The click's first sounding sample and its peak.
std::pair<std::size_t, int> clickShape(const std::string& sound) {
    const auto click = MTSettings::loadClick(fretkit::Bundle::main(), sound, nullptr);
    std::size_t i = 0;
    while (click && i < click->size() && (*click)[i] == 0) {
        ++i;
    }
    int peak = 0;
    for (const std::int16_t s : click.value_or(std::vector<std::int16_t>{})) {
        peak = std::max(peak, std::abs(int{s}));
    }
    return {i, peak};
}

// Every click of the rendered file starts at the frame the beat grid predicts, accented or not.
TEST(MetronomeCli, RendersEveryClickOnTheBeatGrid) {
    const struct {
        unsigned tempo;
        const char* signature;
        const char* sound;
        double rate;
        unsigned buffer;
        unsigned beats;
        std::vector<bool> accents;
    } cases[] = {
        {97, "4:0,2", "Blip", 44100, 512, 9, {true, false, true, false}},
        {280, "3", "Woodblock", 48000, 1000, 7, {true, false, false}},
        {41, "none", "Clave", 44100, 4096, 3, {false}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const std::string wavPath = dir.file(std::string(c.sound) + ".wav");
        const SubprocessResult run =
            runCommand(cli() + "--tempo " + std::to_string(c.tempo) + " --signature " +
                       c.signature + " --sound " + c.sound + " --rate " +
                       std::to_string(int(c.rate)) + " --buffer " + std::to_string(c.buffer) +
                       " --beats " + std::to_string(c.beats) + " -o '" + wavPath + "'");
        ASSERT_EQ(run.status, 0) << run.output;
        const Wav wav = readWav(wavPath);
        ASSERT_EQ(wav.channels, 2u);
        EXPECT_EQ(wav.rate, c.rate);
        const double period = 60.0 / c.tempo * c.rate;
        EXPECT_EQ(wav.samples[0].size(), static_cast<std::size_t>(std::llround(c.beats * period)));
        EXPECT_EQ(wav.samples[1], wav.samples[0]);

        const auto [head, clickPeak] = clickShape(c.sound);
        std::vector<std::size_t> expected;
        for (unsigned k = 0; k < c.beats; ++k) {
            expected.push_back(static_cast<std::size_t>(std::llround(k * period)) + head);
        }
        const auto found = onsets(wav.samples[0], 2000);
        ASSERT_EQ(found, expected) << c.sound;
        // Accented clicks play at the click's level, the others at a quarter of it.
        std::vector<int> peaks;
        for (const std::size_t at : found) {
            int peak = 0;
            for (std::size_t i = at; i < at + 2000 && i < wav.samples[0].size(); ++i) {
                peak = std::max(peak, std::abs(int{wav.samples[0][i]}));
            }
            peaks.push_back(peak);
        }
        for (std::size_t k = 0; k < peaks.size(); ++k) {
            const bool accented = c.accents[k % c.accents.size()];
            EXPECT_NEAR(peaks[k], accented ? clickPeak : clickPeak / 4, 1)
                << c.sound << " beat " << k;
        }
    }
}

TEST(MetronomeCli, PlaysLivePrintingEachBeatsPlaceInTheBar) {
    const SubprocessResult run =
        runCommand(cli() + "--audio virtual --tempo 280 --signature 3 --beats 4");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "1 . .\n. 2 .\n. . 3\n1 . .\n");
}

TEST(MetronomeCli, TapsClampToTheFastestTempo) {
    // Two Enter presses at once: far faster than 280 per minute.
    const SubprocessResult run = runCommand("printf '\\n\\n' | " + cli() + "--tap");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("tap\n280 BPM\n"), std::string::npos) << run.output;
}

TEST(MetronomeCli, BadValuesAreUsageErrors) {
    for (const char* args : {"--tempo 39", "--tempo 281", "--tempo fast", "--signature 4:4",
                             "--signature 16", "--bars 2", "--beats 2 --seconds 1", "--beats 1.5",
                             "--seconds -1", "--sound Nope -o x.wav", "-o", "--buffer 0 -o x.wav",
                             "--tap -o x.wav", "--loud", "extra"}) {
        const SubprocessResult run = runCommand(cli() + args + " 2>&1");
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_NE(run.output.find("fretkit metronome: "), std::string::npos) << args << run.output;
    }
}

TEST(MetronomeOptions, CountsBecomeFrames) {
    std::ostringstream err;
    auto bars =
        MetronomeOptions::parse({"--signature", "3:0,2", "--bars", "2", "--tempo", "60"}, err);
    ASSERT_TRUE(bars) << err.str();
    EXPECT_EQ(bars->signature.encoded(), 0x23u);
    EXPECT_EQ(bars->totalFrames(44100.0), 6u * 44100u);
    auto secs = MetronomeOptions::parse({"--seconds", "0.5"}, err);
    ASSERT_TRUE(secs);
    EXPECT_EQ(secs->totalFrames(48000.0), 24000u);
    auto live = MetronomeOptions::parse({}, err);
    ASSERT_TRUE(live);
    EXPECT_EQ(live->totalFrames(44100.0), std::nullopt); // until interrupted
    auto file = MetronomeOptions::parse({"-o", "out.wav", "--tempo", "120"}, err);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->totalFrames(44100.0), 16u * 22050u);
}

} // namespace
