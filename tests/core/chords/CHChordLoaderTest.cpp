#include "chords/CHChordLoader.h"

#include "foundation/Bundle.h"
#include "support/StringSamples.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using fretkit::Bundle;
using fretkit::CHChord;
using fretkit::CHChordLoader;
using namespace string_samples;

namespace {

// Open E major: every string sounds, at notes 40, 47, 52, 56, 59, 64.
CHChord openE() {
    std::array<CHChord::String, CHChord::kStrings> strings{};
    const std::array<unsigned, 6> codes = {6, 1, 1, 0, 6, 6};
    for (unsigned s = 0; s < 6; ++s) {
        strings[s].fret = codes[s];
    }
    return CHChord(13, 0, 1, strings);
}

// Zero crossings upward per second over a stretch of the buffer.
double frequencyOf(const QVAudioBuffer& sound, std::uint32_t from, std::uint32_t to, double rate) {
    unsigned crossings = 0;
    for (std::uint32_t i = from + 1; i < to; ++i) {
        crossings += sound.sampleValueAtIndex(i - 1) < 0 && sound.sampleValueAtIndex(i) >= 0;
    }
    return crossings * rate / (to - from);
}

bool anySound(const QVAudioBuffer& sound, std::uint32_t from, std::uint32_t to) {
    for (std::uint32_t i = from; i < to; ++i) {
        if (sound.sampleValueAtIndex(i) != 0) {
            return true;
        }
    }
    return false;
}

TEST(CHChordLoaderTest, DecodesEachStringAtTheSessionRateAndReportsMissingOnes) {
    TempDir dir;
    const std::array<unsigned, 6> notes = {40, 47, 52, 56, 59, 64};
    for (unsigned s = 0; s < 6; ++s) {
        if (s != 3) {
            // String 5's file is short: the rest of its two seconds stays silent.
            ASSERT_TRUE(
                writeStringSample(dir.path().string(), s, notes[s], 48000, s == 5 ? 0.5 : 2.0));
        }
    }
    Bundle bundle(dir.path().string());
    std::map<unsigned, std::shared_ptr<QVAudioBuffer>> delivered;
    std::vector<std::string> problems;
    CHChordLoader loader(
        openE(), bundle, 44100.0,
        [&](unsigned s, std::unique_ptr<QVAudioBuffer> sample) {
            delivered[s] = std::move(sample);
        },
        [&](const std::string& problem) { problems.push_back(problem); });
    loader.main();

    ASSERT_EQ(delivered.size(), 5u);
    EXPECT_EQ(delivered.count(3), 0u);
    EXPECT_EQ(problems, std::vector<std::string>{"03_56.aif is missing"});
    for (const auto& [s, sound] : delivered) {
        EXPECT_EQ(sound->frames(), 88200u) << "two seconds at 44100 Hz";
        // Converted, not copied: the pitch stays the note's at the new rate.
        EXPECT_NEAR(frequencyOf(*sound, 2205, 19845, 44100.0), noteHz(notes[s]), 3.0)
            << "string " << s;
    }
    EXPECT_TRUE(anySound(*delivered[0], 88000, 88200)) << "the whole two seconds are read";
    const QVAudioBuffer& shortOne = *delivered[5];
    EXPECT_TRUE(anySound(shortOne, 21900, 22000));
    for (std::uint32_t i = 22100; i < shortOne.frames(); ++i) {
        ASSERT_EQ(shortOne.sampleValueAtIndex(i), 0) << "after a short file's end, frame " << i;
    }
}

TEST(CHChordLoaderTest, CancelledLoaderStopsAfterTheStringItIsDecoding) {
    TempDir dir;
    const std::array<unsigned, 6> notes = {40, 47, 52, 56, 59, 64};
    for (unsigned s = 0; s < 6; ++s) {
        ASSERT_TRUE(writeStringSample(dir.path().string(), s, notes[s], 44100, 0.1));
    }
    Bundle bundle(dir.path().string());
    std::vector<unsigned> delivered;
    std::shared_ptr<CHChordLoader> loader;
    loader = std::make_shared<CHChordLoader>(
        openE(), bundle, 44100.0,
        [&](unsigned s, std::unique_ptr<QVAudioBuffer>) {
            delivered.push_back(s);
            if (s == 1) {
                loader->cancel(); // a new shape while string 1 is being decoded
            }
        },
        nullptr);
    loader->main();
    EXPECT_EQ(delivered, (std::vector<unsigned>{0, 1}));
}

TEST(CHChordLoaderTest, MutedStringsAreNotLoadedAndNotesFollowTheFrets) {
    std::array<CHChord::String, CHChord::kStrings> strings{};
    const std::array<unsigned, 6> codes = {5, 6, 1, 1, 1, 6}; // x02220 at base fret 1
    for (unsigned s = 0; s < 6; ++s) {
        strings[s].fret = codes[s];
    }
    const CHChord a(1, 0, 1, strings);
    EXPECT_EQ(CHChordLoader::noteForString(a, 1), 45u);
    EXPECT_EQ(CHChordLoader::noteForString(a, 2), 52u);
    EXPECT_EQ(CHChordLoader::noteForString(a, 5), 64u);
    TempDir dir; // nothing in it
    Bundle bundle(dir.path().string());
    std::vector<std::string> problems;
    CHChordLoader loader(
        a, bundle, 44100.0, [](unsigned, std::unique_ptr<QVAudioBuffer>) {},
        [&](const std::string& problem) { problems.push_back(problem); });
    loader.main();
    EXPECT_EQ(problems.size(), 5u) << "string 0 is muted and never asked for";
    EXPECT_EQ(problems.front(), "01_45.aif is missing");
}

} // namespace
