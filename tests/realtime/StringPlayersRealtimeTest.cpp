#include "audio/QVAudioStream.h"
#include "chordfinder/CFStringPlayer.h"
#include "chords/CHChordPlayer.h"
#include "foundation/Bundle.h"
#include "foundation/ManualTimerScheduler.h"
#include "scales/SCScalePlayer.h"
#include "support/AudioTestSupport.h"
#include "support/StringSamples.h"
#include "support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

// The chords, scales and chord finder's players as the stream's delegate, through the full graph
// for thousands of cycles, while this thread plucks, strums and changes their samples between
// cycles as the screens do. Built with the real-time sanitizer, any allocation or blocking call
// in a render ends the test; elsewhere it checks that the strings are heard.

using namespace fretkit;
using namespace fretkit::host;

namespace {

constexpr std::uint32_t kFrames = 512;
constexpr unsigned kOpen[6] = {40, 45, 50, 55, 59, 64};

// A bundle of short string samples: every string open and on its first three frets.
class SampleBundle {
public:
    SampleBundle() {
        for (unsigned s = 0; s < 6; ++s) {
            for (unsigned fret = 0; fret < 4; ++fret) {
                EXPECT_TRUE(string_samples::writeStringSample(dir_.path().string(), s,
                                                              kOpen[s] + fret, 44100, 0.3));
            }
        }
    }
    const Bundle& bundle() const { return bundle_; }

private:
    TempDir dir_;
    Bundle bundle_{dir_.path().string()};
};

// Runs `cycles` cycles of the stream; `between` runs before each (the main thread's turn).
// Answers the loudest output sample.
template <class Between>
float play(OfflineAudioDevice& device, QVAudioStream& stream, int cycles, Between between) {
    EXPECT_TRUE(stream.start());
    std::vector<float> output(std::size_t{kFrames} * 2);
    float loudest = 0.0f;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        between(cycle);
        EXPECT_TRUE(device.pump(kFrames, nullptr, output.data()));
        for (const float s : output) {
            loudest = std::max(loudest, s);
        }
    }
    stream.stop();
    return loudest;
}

// A shape from its fret codes (0-4 fretted from the first fret up, 5 muted, 6 open).
CHChord shape(const std::array<unsigned, 6>& codes) {
    std::array<CHChord::String, CHChord::kStrings> strings{};
    for (unsigned s = 0; s < 6; ++s) {
        strings[s].fret = codes[s];
    }
    return CHChord(13, 0, 1, strings);
}

} // namespace

TEST(StringPlayersRealtime, TheChordPlayerStrumsShapesThroughTheGraph) {
    SampleBundle samples;
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 1, 2);
    const QVRenderLockPtr renderLock = std::make_shared<QVRenderLock>();
    CHChordPlayer chords(renderLock, samples.bundle(), 44100.0);
    chords.setChord(shape({6, 1, 1, 0, 6, 6}));
    chords.waitUntilLoaded();
    auto stream = QVAudioStream::withDelegate(&chords.player(), renderLock);
    ASSERT_TRUE(stream);
    const float loudest = play(device, *stream, 2000, [&](int cycle) {
        if (cycle % 400 == 399) {
            chords.setChord(shape({5, 6, 1, 1, 1, 6}));
            chords.waitUntilLoaded(); // the loader hands the samples over under the lock
        }
        if (cycle % 40 == 0) {
            chords.pluckString(static_cast<unsigned>(cycle / 40) % 6);
        }
    });
    EXPECT_GT(loudest, 0.05f);
    EXPECT_TRUE(chords.problems().empty());
}

TEST(StringPlayersRealtime, TheScalePlayerStrumsAPatternThroughTheGraph) {
    SampleBundle samples;
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 1, 2);
    const QVRenderLockPtr renderLock = std::make_shared<QVRenderLock>();
    ManualTimerScheduler timers;
    SCScalePlayer scales(renderLock, samples.bundle(), 44100.0, timers);
    SCScale pattern; // one note a string, on the second fret
    for (unsigned s = 0; s < 6; ++s) {
        SCScaleNote note;
        note.setString(s);
        note.setFret(2);
        note.setMIDINote(kOpen[s] + 2);
        note.setInterval(s == 0 ? 0u : 2u);
        pattern.addNote(note);
    }
    scales.setScale(pattern);
    scales.waitUntilLoaded();
    auto stream = QVAudioStream::withDelegate(&scales.player(), renderLock);
    ASSERT_TRUE(stream);
    double seconds = 0.0;
    const float loudest = play(device, *stream, 2000, [&](int cycle) {
        if (cycle % 500 == 0) {
            scales.strum(2, true, 1.0);
        }
        if (cycle % 500 == 250) {
            scales.touchNote(3);
        }
        seconds += kFrames / 44100.0;
        timers.advanceTo(seconds);
    });
    EXPECT_GT(loudest, 0.05f);
    EXPECT_EQ(scales.player().noteCount(), 6u);
}

TEST(StringPlayersRealtime, TheChordFinderPlaysItsStringsThroughTheGraph) {
    SampleBundle samples;
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 1, 2);
    const QVRenderLockPtr renderLock = std::make_shared<QVRenderLock>();
    CFStringPlayer strings(renderLock, samples.bundle(), 44100.0);
    for (unsigned s = 0; s < 6; ++s) {
        EXPECT_EQ(strings.loadAudioForString(s), "");
    }
    auto stream = QVAudioStream::withDelegate(&strings.player(), renderLock);
    ASSERT_TRUE(stream);
    const float loudest = play(device, *stream, 2000, [&](int cycle) {
        const auto string = static_cast<unsigned>(cycle / 50) % 6;
        if (cycle % 50 == 0) {
            strings.setFret(string, static_cast<unsigned>(cycle / 300) % 4);
            strings.loadAudioForString(string); // swaps the sample under the lock
            strings.playString(string);
        }
        if (cycle % 50 == 25) {
            EXPECT_TRUE(strings.player().isSounding(string));
        }
    });
    EXPECT_GT(loudest, 0.05f);
}
