#include "chords/CHChordPlayer.h"

#include "foundation/Bundle.h"
#include "support/StringSamples.h"
#include "support/TempDir.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using fretkit::Bundle;
using fretkit::CHChord;
using fretkit::CHChordPlayer;
using namespace string_samples;

namespace {

CHChord shape(const std::array<unsigned, 6>& codes) {
    std::array<CHChord::String, CHChord::kStrings> strings{};
    for (unsigned s = 0; s < 6; ++s) {
        strings[s].fret = codes[s];
    }
    return CHChord(13, 0, 1, strings);
}

// Shapes change and strings are plucked on this thread while an audio thread renders under the
// render lock and the loader hands samples over: the sanitizer checks the hand-overs.
TEST(CHChordPlayerTest, ShapeChangesWhileRenderingAndLoading) {
    TempDir dir;
    const std::array<unsigned, 6> open = {40, 45, 50, 55, 59, 64};
    for (unsigned s = 0; s < 6; ++s) {
        for (unsigned fret = 0; fret < 4; ++fret) {
            ASSERT_TRUE(writeStringSample(dir.path().string(), s, open[s] + fret, 48000, 0.3));
        }
    }
    Bundle bundle(dir.path().string());
    const QVRenderLockPtr renderLock = std::make_shared<QVRenderLock>();
    CHChordPlayer chords(renderLock, bundle, 44100.0);
    std::atomic<bool> running{true};
    std::thread audio([&] {
        auto out = QVAudioBuffer::bufferWithChannels(2, 256);
        for (double time = 0.0; running.load(); time += 256.0) {
            std::lock_guard lock(*renderLock);
            chords.player().renderAudioToBuffer(*out, at(time));
        }
    });
    const std::array<CHChord, 3> shapes = {shape({6, 1, 1, 0, 6, 6}), shape({5, 6, 1, 1, 1, 6}),
                                           shape({0, 2, 2, 1, 0, 0})};
    for (int round = 0; round < 30; ++round) {
        chords.setChord(shapes[static_cast<std::size_t>(round) % shapes.size()]);
        for (unsigned s = 0; s < 6; ++s) {
            chords.pluckString(s);
        }
    }
    chords.waitUntilLoaded();
    EXPECT_TRUE(chords.problems().empty());
    running.store(false);
    audio.join();
    for (unsigned s = 0; s < 6; ++s) {
        chords.pluckString(s);
    }
    auto out = QVAudioBuffer::bufferWithChannels(2, 256);
    std::lock_guard lock(*renderLock);
    EXPECT_TRUE(chords.player().renderAudioToBuffer(*out, at(1e9)))
        << "the last shape's samples arrived";
}

TEST(CHChordPlayerTest, ShapeChangeStopsEveryStringAtOnce) {
    TempDir dir;
    const std::array<unsigned, 6> notes = {40, 47, 52, 56, 59, 64};
    for (unsigned s = 0; s < 6; ++s) {
        ASSERT_TRUE(writeStringSample(dir.path().string(), s, notes[s], 44100, 1.0));
    }
    Bundle bundle(dir.path().string());
    CHChordPlayer chords(std::make_shared<QVRenderLock>(), bundle, 44100.0);
    chords.setChord(shape({6, 1, 1, 0, 6, 6}));
    chords.waitUntilLoaded();
    for (unsigned s = 0; s < 6; ++s) {
        chords.pluckString(s);
    }
    auto out = QVAudioBuffer::bufferWithChannels(2, 512);
    EXPECT_TRUE(chords.player().renderAudioToBuffer(*out, at(512.0)));
    chords.setChord(shape({5, 5, 5, 5, 5, 5})); // every string muted: nothing to load
    EXPECT_FALSE(chords.player().renderAudioToBuffer(*out, at(1024.0)));
    EXPECT_EQ(out->peak(), 0);
    for (unsigned s = 0; s < 6; ++s) {
        EXPECT_FALSE(chords.player().isSounding(s)) << "string " << s;
    }
}

TEST(CHChordPlayerTest, MissingSamplesAreReportedForTheShownShapeOnly) {
    TempDir dir;
    Bundle bundle(dir.path().string());
    CHChordPlayer chords(std::make_shared<QVRenderLock>(), bundle, 44100.0);
    chords.setChord(shape({5, 5, 5, 5, 5, 6}));
    chords.waitUntilLoaded();
    EXPECT_EQ(chords.problems(), std::vector<std::string>{"05_64.aif is missing"});
    chords.setChord(shape({5, 5, 5, 5, 6, 5}));
    chords.waitUntilLoaded();
    EXPECT_EQ(chords.problems(), std::vector<std::string>{"04_59.aif is missing"});
}

} // namespace
