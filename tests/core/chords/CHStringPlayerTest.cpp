#include "chords/CHStringPlayer.h"

#include "support/StringSamples.h"

#include <gtest/gtest.h>
#include <numeric>

using fretkit::CHStringPlayer;
using namespace string_samples;

namespace {

constexpr std::uint32_t kFrames = 64;
constexpr std::uint32_t kSampleFrames = 1000;

// Sample value i + 1 at frame i: every frame of the sample is recognisable in the output.
std::vector<std::int16_t> ramp() {
    std::vector<std::int16_t> data(kSampleFrames);
    std::iota(data.begin(), data.end(), std::int16_t{1});
    return data;
}

class CHStringPlayerTest : public ::testing::Test {
protected:
    // One buffer at sample time `time`; answers channel 0.
    std::vector<std::int16_t> render(double time, bool* wrote = nullptr) {
        out = QVAudioBuffer::bufferWithChannels(2, kFrames);
        const bool sounded = player.renderAudioToBuffer(*out, at(time));
        if (wrote != nullptr) {
            *wrote = sounded;
        }
        EXPECT_EQ(channel(*out, 0), channel(*out, 1)) << "channel 0 is copied to channel 1";
        return channel(*out, 0);
    }

    CHStringPlayer player{std::make_shared<QVRenderLock>(), kSampleFrames};
    std::unique_ptr<QVAudioBuffer> out;
};

TEST_F(CHStringPlayerTest, SecondPluckFadesOverOneBufferThenRestartsWithoutFrameZero) {
    player.setSample(2, buffer(ramp()));
    player.pluckString(2);
    std::vector<std::int16_t> first = render(0.0); // a pluck at sample time 0 sounds too
    EXPECT_EQ(first[0], 0) << "frame 0 of a sample is never played";
    for (std::uint32_t j = 1; j < kFrames; ++j) {
        ASSERT_EQ(first[j], static_cast<std::int16_t>(j + 1));
    }
    render(64.0);
    player.pluckString(2); // still sounding: fade out over this one buffer
    const std::vector<std::int16_t> fade = render(128.0);
    for (std::uint32_t j = 0; j < kFrames; ++j) {
        const double full = 128.0 + j + 1;
        ASSERT_EQ(fade[j], static_cast<std::int16_t>(std::lround(full * (kFrames - j) / kFrames)))
            << "frame " << j;
    }
    const std::vector<std::int16_t> restart = render(192.0);
    EXPECT_EQ(restart[0], 0);
    for (std::uint32_t j = 1; j < kFrames; ++j) {
        ASSERT_EQ(restart[j], static_cast<std::int16_t>(j + 1)) << "restarted from the beginning";
    }
}

TEST_F(CHStringPlayerTest, PluckAfterTheSoundEndedStartsAtOnceAndEachStringStopsAtItsEnd) {
    player.setSample(0, buffer(ramp()));
    player.pluckString(0);
    render(1000.0);
    bool wrote = true;
    // The sample (1000 frames) is over after 16 buffers.
    for (double t = 1064.0; t < 1000.0 + 17 * kFrames; t += kFrames) {
        render(t);
    }
    const auto silent = render(1000.0 + 17 * kFrames, &wrote);
    EXPECT_FALSE(wrote);
    EXPECT_EQ(*std::max_element(silent.begin(), silent.end()), 0);
    player.pluckString(0);
    const auto again = render(5000.0, &wrote);
    EXPECT_TRUE(wrote);
    EXPECT_EQ(again[1], 2) << "no fade: the old sound had ended";
}

TEST_F(CHStringPlayerTest, StoppingSilencesEveryStringAtOnce) {
    for (unsigned s = 0; s < CHStringPlayer::kStrings; ++s) {
        player.setSample(s, buffer(ramp()));
        player.pluckString(s);
    }
    render(64.0);
    player.stopPlayback();
    bool wrote = true;
    const auto after = render(128.0, &wrote);
    EXPECT_FALSE(wrote);
    EXPECT_EQ(*std::max_element(after.begin(), after.end()), 0);
    for (unsigned s = 0; s < CHStringPlayer::kStrings; ++s) {
        EXPECT_FALSE(player.isSounding(s));
    }
}

TEST_F(CHStringPlayerTest, SixLoudStringsSaturateInsteadOfWrapping) {
    for (unsigned s = 0; s < CHStringPlayer::kStrings; ++s) {
        std::vector<std::int16_t> loud(kSampleFrames, 20000);
        std::fill(loud.begin() + 100, loud.end(), std::int16_t{-20000});
        player.setSample(s, buffer(loud));
        player.pluckString(s);
    }
    const auto high = render(64.0);
    EXPECT_EQ(high[1], 32767) << "120000 saturates instead of wrapping to -11072";
    const auto low = render(128.0);
    EXPECT_EQ(low[63], -32768) << "-120000 saturates instead of wrapping to 11072";
}

TEST_F(CHStringPlayerTest, SilentStringOfTheChordPlayerSoundsOnceItsSampleArrives) {
    player.pluckString(4); // no sample yet: the string starts, silent
    bool wrote = true;
    render(64.0, &wrote);
    EXPECT_FALSE(wrote);
    player.setSample(4, buffer(ramp()));
    const auto later = render(128.0, &wrote);
    EXPECT_TRUE(wrote);
    EXPECT_EQ(later[0], 65) << "the sample plays from where the string would be";
}

TEST(CHStringPlayerSkipTest, StringWithoutSampleIsSkippedAndItsPluckWaits) {
    CHStringPlayer player{std::make_shared<QVRenderLock>()}; // the chord finder's: strings without
                                                             // a sample are left alone
    auto out = QVAudioBuffer::bufferWithChannels(1, kFrames);
    player.pluckString(1);
    EXPECT_FALSE(player.renderAudioToBuffer(*out, at(64.0)));
    EXPECT_FALSE(player.isSounding(1));
    player.setSample(1, buffer(ramp()));
    EXPECT_TRUE(player.renderAudioToBuffer(*out, at(128.0)));
    EXPECT_EQ(out->sampleValueAtIndex(1), 2);
}

} // namespace
