#include "scales/SCNotePlayer.h"

#include "support/StringSamples.h"

#include <gtest/gtest.h>

using fretkit::SCNotePlayer;
using namespace string_samples;

namespace {

constexpr std::uint32_t kFrames = 32;

class SCNotePlayerTest : public ::testing::Test {
protected:
    void load(std::initializer_list<std::shared_ptr<const QVAudioBuffer>> notes) {
        std::vector<SCNotePlayer::Sample> fresh;
        fresh.reserve(8);
        std::lock_guard lock(player.renderLock());
        player.resetLocked(std::move(fresh));
        for (const auto& note : notes) {
            player.appendLocked(note);
        }
    }

    std::vector<std::int16_t> render(bool* wrote = nullptr, std::int16_t prefill = 0) {
        out = QVAudioBuffer::bufferWithChannels(2, kFrames);
        for (std::uint32_t j = 0; j < kFrames; ++j) {
            out->setSampleValue(prefill, j, 0);
        }
        const bool sounded = player.renderAudioToBuffer(*out, at(0.0));
        if (wrote != nullptr) {
            *wrote = sounded;
        }
        return channel(*out);
    }

    SCNotePlayer player{std::make_shared<QVRenderLock>(), 100};
    std::unique_ptr<QVAudioBuffer> out;
};

std::shared_ptr<const QVAudioBuffer> constant(std::int16_t value, std::uint32_t frames = 100) {
    return buffer(std::vector<std::int16_t>(frames, value));
}

TEST_F(SCNotePlayerTest, NewRequestFadesTheSoundingNoteOverOneBufferThenHandsOver) {
    load({constant(1000), constant(-2000)});
    player.playNoteAtIndex(0);
    const auto first = render();
    EXPECT_EQ(first[0], 1000) << "a scale note plays from its first frame";
    EXPECT_EQ(channel(*out, 1), first);
    player.playNoteAtIndex(1);
    const auto fade = render();
    for (std::uint32_t j = 0; j < kFrames; ++j) {
        ASSERT_EQ(fade[j], static_cast<std::int16_t>(1000 * (kFrames - j) / kFrames)) << j;
    }
    EXPECT_EQ(player.playbackNoteIndex(), 1u);
    const auto next = render();
    EXPECT_EQ(next[0], -2000) << "the new note starts at the following buffer";
    EXPECT_EQ(player.nextPlaybackNoteIndex(), SCNotePlayer::kNone);
}

TEST_F(SCNotePlayerTest, NotePlaysOnceAndStops) {
    load({constant(500, 40)});
    player.playNoteAtIndex(0);
    render();
    const auto tail = render();
    EXPECT_EQ(tail[7], 500);
    EXPECT_EQ(tail[8], 0) << "40 frames, then silence";
    EXPECT_EQ(player.playbackNoteIndex(), SCNotePlayer::kNone);
    bool wrote = true;
    render(&wrote);
    EXPECT_FALSE(wrote);
}

TEST_F(SCNotePlayerTest, RequestBeforeTheSoundIsLoadedStartsAsSoonAsItIs) {
    load({constant(100)});
    player.playNoteAtIndex(1);
    bool wrote = true;
    render(&wrote);
    EXPECT_FALSE(wrote) << "note 1 is not loaded yet";
    EXPECT_EQ(player.playbackNoteIndex(), 1u) << "the request stays";
    {
        std::lock_guard lock(player.renderLock());
        player.appendLocked(constant(300));
    }
    const auto now = render(&wrote);
    EXPECT_TRUE(wrote);
    EXPECT_EQ(now[0], 300);
}

TEST_F(SCNotePlayerTest, MixSaturatesAndAMissingNoteIsSilentForItsLength) {
    load({constant(10000), nullptr, constant(7)});
    player.playNoteAtIndex(0);
    EXPECT_EQ(render(nullptr, 30000)[3], 32767);
    player.playNoteAtIndex(1);
    render(); // fades note 0
    bool wrote = true;
    render(&wrote);
    EXPECT_FALSE(wrote) << "the missing note sounds silent";
    EXPECT_EQ(player.playbackNoteIndex(), 1u) << "but keeps its place, so a strum goes on";
    player.playNoteAtIndex(2);
    render();
    EXPECT_EQ(render()[0], 7);
}

} // namespace
