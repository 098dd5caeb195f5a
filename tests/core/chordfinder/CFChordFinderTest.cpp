#include "chordfinder/CFChordFinder.h"

#include "foundation/Bundle.h"
#include "support/StringSamples.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

using fretkit::Bundle;
using fretkit::CFChordFinder;
using fretkit::CFChordNamer;
using namespace string_samples;

namespace {

// Standard tuning, drop D and an entry without six notes.
constexpr const char* kTunings = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><array>
  <dict><key>name</key><string>Standard</string><key>notes</key><array><integer>64</integer>
    <integer>59</integer><integer>55</integer><integer>50</integer><integer>45</integer>
    <integer>40</integer></array></dict>
  <dict><key>name</key><string>Drop D</string><key>notes</key><array><integer>64</integer>
    <integer>59</integer><integer>55</integer><integer>50</integer><integer>45</integer>
    <integer>38</integer></array></dict>
  <dict><key>name</key><string>Broken</string><key>notes</key><array><integer>64</integer>
  </array></dict>
</array></plist>
)";

// A bundle with the tunings above, the app's chord descriptions and the samples asked for.
struct FinderBundle {
    explicit FinderBundle(bool withLists = true) {
        if (withLists) {
            dir.write("BZTunings.plist", kTunings);
            std::filesystem::copy_file(Bundle::main().resourcePath() + "/CFChords.plist",
                                       dir.file("CFChords.plist"));
        }
    }
    void sample(unsigned string, unsigned note) {
        ASSERT_TRUE(writeStringSample(dir.path().string(), string, note, 44100, 0.05));
    }

    TempDir dir;
    Bundle bundle{dir.path().string()};
};

std::string nameOf(const CFChordFinder& finder) {
    const CFChordNamer::Result result = finder.chord();
    return result.kind == CFChordNamer::Kind::OpenNeck ? "open"
           : result.kind == CFChordNamer::Kind::Chord  ? result.name
                                                       : "none";
}

bool sounds(CFChordFinder& finder, unsigned string) {
    finder.playString(string);
    auto out = QVAudioBuffer::bufferWithChannels(2, 512);
    return finder.player().renderAudioToBuffer(*out, at(1e6));
}

TEST(CFChordFinderTest, NamesAndTitlesFollowFretsMutesTuningAndDetune) {
    FinderBundle b;
    CFChordFinder finder(std::make_shared<QVRenderLock>(), b.bundle, 44100.0);
    finder.setTuning(0, 0);
    EXPECT_EQ(nameOf(finder), "open");
    EXPECT_EQ(finder.titleOfString(0), "E");
    const unsigned c[] = {0, 3, 2, 0, 1, 0};
    for (unsigned s = 0; s < 6; ++s) {
        finder.setFret(s, c[s]);
    }
    finder.setMuted(0, true);
    EXPECT_EQ(nameOf(finder), "C");
    EXPECT_EQ(finder.titleOfString(0), "\u2715");
    EXPECT_EQ(finder.titleOfString(1), "C");
    EXPECT_FALSE(finder.isOpen(0));
    EXPECT_TRUE(finder.isOpen(3));

    finder.setTuning(0, 2);
    EXPECT_EQ(nameOf(finder), "D");
    EXPECT_EQ(finder.titleOfString(2), "F#");
    finder.setTuning(1, 0);
    finder.setMuted(0, false);
    EXPECT_EQ(nameOf(finder), "C / D");

    finder.clearFrets();
    finder.setMuted(1, true);
    finder.clearFrets();
    EXPECT_TRUE(finder.isMuted(1)) << "clearing the frets keeps the mutes";
    EXPECT_EQ(finder.fret(2), 0u);
    finder.setFret(2, 99);
    EXPECT_EQ(finder.fret(2), 23u) << "the neck's last fret";
}

TEST(CFChordFinderTest, StoredSettingsOutsideTheOfferedOnesStayWithinTheSampleBound) {
    FinderBundle b;
    b.sample(0, 46); // standard tuning's low E detuned by the most, +6
    CFChordFinder finder(std::make_shared<QVRenderLock>(), b.bundle, 44100.0);
    // String 0 ranges over 32-69 (drop D down 6 to standard up 6 at fret 23), the other five
    // strings over 36 notes each; the broken tuning counts as standard tuning.
    EXPECT_EQ(finder.sampleBound(), 38u + 5u * 36u);

    finder.setTuning(7, 40);
    EXPECT_EQ(finder.tuningIndex(), 0u) << "no eighth tuning: the first";
    EXPECT_EQ(finder.detune(), 6);
    EXPECT_EQ(finder.titleOfString(0), "Bb");
    EXPECT_TRUE(sounds(finder, 0));
    finder.setTuning(-1, -100);
    EXPECT_EQ(finder.detune(), -6);
    EXPECT_FALSE(sounds(finder, 0)) << "its sample is missing: silent";
    EXPECT_EQ(finder.sampleCount(), 1u);

    finder.setTuning(2, 0);
    EXPECT_EQ(finder.titleOfString(0), "E") << "a tuning without six notes is standard";
}

TEST(CFChordFinderTest, WithoutItsListsTheFinderPlaysStandardTuningAndNamesNoChord) {
    FinderBundle b(false);
    CFChordFinder finder(std::make_shared<QVRenderLock>(), b.bundle, 44100.0);
    finder.setTuning(3, 0);
    EXPECT_EQ(finder.tunings().count(), 1u);
    EXPECT_EQ(finder.titleOfString(5), "E");
    EXPECT_EQ(nameOf(finder), "open");
    finder.setFret(1, 3);
    EXPECT_EQ(nameOf(finder), "none");
}

} // namespace
