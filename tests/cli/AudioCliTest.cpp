#include "host/AudioFileReader.h"
#include "host/AudioFileWriter.h"
#include "support/Subprocess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace fretkit::host;

namespace {

// Every 16-bit value class at least once: both extremes, zero, and noise.
std::vector<float> noise(std::uint32_t frames, std::uint32_t channels) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> sample(-32768, 32767);
    std::vector<float> samples(std::size_t{frames} * channels);
    for (float& s : samples) {
        s = static_cast<float>(sample(random)) / 32768.0f;
    }
    samples[0] = -1.0f;
    samples[1] = 32767.0f / 32768.0f;
    samples[2] = 0.0f;
    return samples;
}

void writeWav(const std::string& path, const std::vector<float>& samples, double rate,
              std::uint32_t channels) {
    auto writer = AudioFileWriter::create(path, rate, channels, nullptr);
    ASSERT_TRUE(writer);
    ASSERT_TRUE(
        writer->write(samples.data(), static_cast<std::uint32_t>(samples.size() / channels)));
    ASSERT_TRUE(writer->close());
}

std::vector<float> readWav(const std::string& path, double* rate = nullptr,
                           std::uint32_t* channels = nullptr) {
    auto reader = AudioFileReader::open(path, nullptr);
    if (!reader) {
        return {};
    }
    if (rate != nullptr) {
        *rate = reader->fileRate();
    }
    if (channels != nullptr) {
        *channels = reader->channels();
    }
    std::vector<float> samples(static_cast<std::size_t>(reader->fileFrames()) * reader->channels());
    reader->read(samples.data(), static_cast<std::uint32_t>(reader->fileFrames()));
    return samples;
}

std::string cli() {
    return std::string(FRETKIT_CLI) + " ";
}

} // namespace

// A sound played into a file and recorded back from it comes out sample for sample the same.
TEST(AudioCli, PlayAndRecordRoundTripThroughTheFileDriverExactly) {
    TempDir dir;
    for (std::uint32_t channels : {1u, 2u}) {
        const std::string in = dir.file("in" + std::to_string(channels) + ".wav");
        const std::string played = dir.file("played.wav");
        const std::string recorded = dir.file("recorded.wav");
        const std::vector<float> original = noise(22050, channels);
        writeWav(in, original, 44100.0, channels);

        const SubprocessResult play =
            runCommand(cli() + "play '" + in + "' --audio file --output '" + played + "' --fast");
        ASSERT_EQ(play.status, 0) << play.output;
        double rate = 0;
        std::uint32_t playedChannels = 0;
        EXPECT_EQ(readWav(played, &rate, &playedChannels), original);
        EXPECT_EQ(rate, 44100.0);
        EXPECT_EQ(playedChannels, channels);

        const SubprocessResult record =
            runCommand(cli() + "record --seconds 0.5 --channels " + std::to_string(channels) +
                       " -o '" + recorded + "' --audio file --input '" + played + "' --fast");
        ASSERT_EQ(record.status, 0) << record.output;
        EXPECT_EQ(readWav(recorded), original);
    }
}

TEST(AudioCli, OtherRatesAreConvertedAndBadInputIsRefusedClearly) {
    TempDir dir;
    const std::string in = dir.file("48k.wav");
    writeWav(in, noise(4800, 1), 48000.0, 1);
    const std::string out = dir.file("out.wav");
    ASSERT_EQ(runCommand(cli() + "play '" + in + "' --output '" + out + "' --fast").status, 0);
    double rate = 0;
    const std::vector<float> converted = readWav(out, &rate);
    EXPECT_EQ(rate, 44100.0);
    EXPECT_NEAR(static_cast<double>(converted.size()), 4410.0, 64.0);

    const std::string garbage = dir.write("garbage.wav", "not a sound");
    EXPECT_EQ(runCommand(cli() + "play '" + garbage + "' --audio file 2>/dev/null").status, 1);
    EXPECT_EQ(runCommand(cli() + "play '" + dir.file("missing.wav") + "' --audio virtual 2>&1")
                      .output.find("no such file") != std::string::npos,
              true);
    EXPECT_EQ(
        runCommand(cli() + "record --seconds 1 -o '" + out + "' --audio nonsense 2>&1").status, 1);
    // The file driver without an input file has no microphone.
    EXPECT_EQ(runCommand(cli() + "record --seconds 1 -o '" + out + "' --audio file 2>&1").status,
              1);
    EXPECT_EQ(runCommand(cli() + "record -o '" + out + "' 2>/dev/null").status, 2);
}

TEST(AudioCli, AudioInfoPrintsTheSessionStatusWithoutASoundCard) {
    const SubprocessResult info = runCommand(cli() + "audio-info --audio virtual");
    ASSERT_EQ(info.status, 0);
    EXPECT_NE(info.output.find("driver = virtual\n"), std::string::npos);
    EXPECT_NE(info.output.find("category = "), std::string::npos);
    EXPECT_NE(info.output.find("\nsampleRate = 44100.000000\n"), std::string::npos);
    EXPECT_NE(info.output.find("preferredIOBufferDuration = "), std::string::npos);
    EXPECT_NE(info.output.find("devices:"), std::string::npos);

    // Watching runs a silent stream and counts the dropouts each second.
    const SubprocessResult watched = runCommand(cli() + "audio-info --watch 1 --audio virtual");
    ASSERT_EQ(watched.status, 0) << watched.output;
    EXPECT_NE(watched.output.find("\n1 s: "), std::string::npos) << watched.output;
    EXPECT_NE(watched.output.find("\nwatched "), std::string::npos) << watched.output;
    EXPECT_NE(watched.output.find(" underruns, "), std::string::npos) << watched.output;
    for (const char* bad : {"--watch", "--watch 0", "--watch soon", "--watch 1 2", "--wait 1"}) {
        EXPECT_EQ(runCommand(cli() + "audio-info --audio virtual " + bad + " 2>/dev/null").status,
                  2)
            << bad;
    }
}
