#include "scales/SCScalePlayer.h"

#include "foundation/Bundle.h"
#include "foundation/ManualTimerScheduler.h"
#include "support/StringSamples.h"
#include "support/TempDir.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using fretkit::Bundle;
using fretkit::ManualTimerScheduler;
using fretkit::SCScale;
using fretkit::SCScaleNote;
using fretkit::SCScalePlayer;
using namespace string_samples;

namespace {

SCScale pattern(unsigned firstNote, unsigned count) {
    SCScale scale;
    for (unsigned i = 0; i < count; ++i) {
        SCScaleNote note;
        note.setString(0);
        note.setFret(i);
        note.setMIDINote(firstNote + i);
        note.setInterval(i == 0 ? 0u : 2u);
        scale.addNote(note);
    }
    return scale;
}

// Patterns change and notes are asked for on this thread while an audio thread renders under
// the render lock and the loader appends notes: a note of an older pattern never lands in the
// new one, and a missing note keeps the later notes in their places.
TEST(SCScalePlayerTest, PatternChangesWhileRenderingAndLoading) {
    TempDir dir;
    for (unsigned note = 40; note < 52; ++note) {
        if (note != 41) {
            ASSERT_TRUE(writeStringSample(dir.path().string(), 0, note, 48000, 0.2));
        }
    }
    Bundle bundle(dir.path().string());
    ManualTimerScheduler timers;
    const QVRenderLockPtr renderLock = std::make_shared<QVRenderLock>();
    SCScalePlayer scales(renderLock, bundle, 44100.0, timers);
    std::atomic<bool> running{true};
    std::thread audio([&] {
        auto out = QVAudioBuffer::bufferWithChannels(2, 256);
        while (running.load()) {
            std::lock_guard lock(*renderLock);
            scales.player().renderAudioToBuffer(*out, at(0.0));
        }
    });
    for (unsigned round = 0; round < 20; ++round) {
        scales.setScale(pattern(40 + round % 4, 6));
        scales.strum(1, true, 1.0);
        timers.advanceTo(timers.now() + 0.25);
    }
    scales.setScale(pattern(40, 6));
    scales.waitUntilLoaded();
    running.store(false);
    audio.join();
    EXPECT_EQ(scales.player().noteCount(), 6u);
    EXPECT_EQ(scales.problems(), std::vector<std::string>{"00_41.aif is missing"});
    scales.touchNote(2);
    auto out = QVAudioBuffer::bufferWithChannels(2, 4410);
    std::lock_guard lock(*renderLock);
    EXPECT_TRUE(scales.player().renderAudioToBuffer(*out, at(0.0)));
    unsigned crossings = 0;
    for (std::uint32_t i = 1; i < out->frames(); ++i) {
        crossings += out->sampleValueAtIndex(i - 1) < 0 && out->sampleValueAtIndex(i) >= 0;
    }
    EXPECT_NEAR(crossings * 10.0, noteHz(42), 15.0) << "note 2 is MIDI 42, in its place";
}

} // namespace
