#include "scales/SCAutoPlayback.h"

#include "foundation/ManualTimerScheduler.h"
#include "scales/SCNotePlayer.h"
#include "support/StringSamples.h"

#include <gtest/gtest.h>

using fretkit::ManualTimerScheduler;
using fretkit::SCAutoPlayback;
using fretkit::SCNotePlayer;
using fretkit::SCScale;
using fretkit::SCScaleNote;
using namespace string_samples;

namespace {

// A pattern of `count` notes whose roots are at the given indexes.
SCScale pattern(std::uint32_t count, std::initializer_list<std::uint32_t> roots) {
    SCScale scale;
    for (std::uint32_t i = 0; i < count; ++i) {
        SCScaleNote note;
        note.setString(i / 3);
        note.setFret(i % 3);
        note.setInterval(std::find(roots.begin(), roots.end(), i) != roots.end() ? 0u : 2u);
        scale.addNote(note);
    }
    return scale;
}

class SCAutoPlaybackTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<SCNotePlayer::Sample> fresh;
        fresh.reserve(8);
        std::lock_guard lock(player.renderLock());
        player.resetLocked(std::move(fresh));
        for (int i = 0; i < 8; ++i) {
            player.appendLocked(nullptr); // silent notes, 1000 frames long
        }
        strum.setNoteRequested([this](std::uint32_t index) { requested.push_back(index); });
    }

    // One timer step (0.5 s at speed 0.5) after the requested note has started.
    void step() {
        auto out = QVAudioBuffer::bufferWithChannels(2, 16);
        player.renderAudioToBuffer(*out, at(0.0));
        timers.advanceTo(timers.now() + 0.5);
    }

    SCNotePlayer player{std::make_shared<QVRenderLock>(), 1000};
    ManualTimerScheduler timers;
    SCAutoPlayback strum{player, timers};
    std::vector<std::uint32_t> requested;
};

TEST_F(SCAutoPlaybackTest, DownAndBackOverTheRangeFromTheFirstRoot) {
    strum.strum(pattern(8, {3, 6}), -2, false, 0.5);
    EXPECT_EQ(strum.range(), (SCAutoPlayback::Range{3, 5}));
    for (int i = 0; i < 12; ++i) {
        step();
    }
    EXPECT_EQ(requested, (std::vector<std::uint32_t>{7, 6, 5, 4, 3, 4, 5, 6, 7}));
    EXPECT_FALSE(strum.isRunning());
    EXPECT_EQ(timers.activeCount(), 0u);
}

TEST_F(SCAutoPlaybackTest, UpOnceOverAllNotes) {
    strum.strum(pattern(4, {2}), 1, true, 0.5);
    for (int i = 0; i < 6; ++i) {
        step();
    }
    EXPECT_EQ(requested, (std::vector<std::uint32_t>{0, 1, 2, 3}));
    EXPECT_FALSE(strum.isRunning());
}

TEST_F(SCAutoPlaybackTest, PatternWithoutRootKeepsThePreviousRange) {
    strum.strum(pattern(8, {3}), 1, false, 0.5);
    requested.clear();
    strum.strum(pattern(8, {}), 1, false, 0.5);
    EXPECT_EQ(strum.range(), (SCAutoPlayback::Range{3, 5}));
    EXPECT_EQ(requested, std::vector<std::uint32_t>{3});
}

TEST_F(SCAutoPlaybackTest, StepsEveryQuarterToTheSpeedSecondsOnceTheNoteHasStarted) {
    EXPECT_DOUBLE_EQ(SCAutoPlayback::intervalForSpeed(0.0), 1.0);
    EXPECT_DOUBLE_EQ(SCAutoPlayback::intervalForSpeed(1.0), 0.25);
    strum.strum(pattern(8, {0}), 1, false, 1.0);
    timers.advanceTo(0.24);
    EXPECT_EQ(requested.size(), 1u);
    timers.advanceTo(0.25);
    EXPECT_EQ(requested.size(), 1u) << "note 0 has not started: the step waits";
    auto out = QVAudioBuffer::bufferWithChannels(2, 16);
    player.renderAudioToBuffer(*out, at(0.0));
    timers.advanceTo(0.5);
    EXPECT_EQ(requested, (std::vector<std::uint32_t>{0, 1}));
}

} // namespace
