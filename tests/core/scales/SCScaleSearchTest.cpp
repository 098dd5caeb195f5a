#include "scales/SCScaleSearch.h"

#include "ScalePositions.h"
#include "foundation/UserDefaults.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using fretkit::PlistValue;
using fretkit::SCNote;
using fretkit::SCScale;
using fretkit::SCScaleNote;
using fretkit::SCScaleSearch;
using fretkit::SCScaleSearchSettings;

namespace {

PlistValue intervals(std::initializer_list<int> values) {
    PlistValue list = PlistValue::array();
    for (int v : values) {
        list.append(v);
    }
    return list;
}

PlistValue types() {
    return PlistValue::array({
        PlistValue::dictionary(
            {{"name", "Major"}, {"intervals", intervals({0, 2, 4, 5, 7, 9, 11})}}),
        PlistValue::dictionary(
            {{"name", "Minor Pentatonic"}, {"intervals", intervals({0, 3, 5, 7, 10})}}),
        PlistValue::dictionary({{"name", "Blues"},
                                {"intervals", intervals({0, 3, 5, 6, 7, 10})},
                                {"alterations", PlistValue::dictionary({{"useSharp4", true}})}}),
    });
}

PlistValue tunings() {
    return PlistValue::array({
        PlistValue::dictionary(
            {{"name", "Standard"}, {"notes", intervals({64, 59, 55, 50, 45, 40})}}),
        PlistValue::dictionary(
            {{"name", "Half step down"}, {"notes", intervals({63, 58, 54, 49, 44, 39})}}),
    });
}

const SCNote kE(2, 0);
const SCNote kC(0, 0);

std::vector<SCScale> search(const SCNote& root, unsigned type,
                            SCScaleSearchSettings settings = {}) {
    return SCScaleSearch::scalesForRoot(root, type, types(), tunings(), settings);
}

} // namespace

TEST(SCScaleSearch, TheOpenMinorPentatonicBoxComesFirst) {
    const std::vector<SCScale> scales = search(kE, 1);
    ASSERT_FALSE(scales.empty());
    const SCScale& open = scales.front();
    EXPECT_EQ(positions(open), (std::vector<std::pair<unsigned, unsigned>>{{0, 0},
                                                                           {0, 3},
                                                                           {1, 0},
                                                                           {1, 2},
                                                                           {2, 0},
                                                                           {2, 2},
                                                                           {3, 0},
                                                                           {3, 2},
                                                                           {4, 0},
                                                                           {4, 3},
                                                                           {5, 0},
                                                                           {5, 3}}));
    for (const SCScaleNote& note : open.notes()) {
        EXPECT_EQ(note.finger(), note.fret());
    }
    EXPECT_EQ(open.notes()[1].name(), "G");
    EXPECT_EQ(open.notes()[1].intervalName(), "b3");
    EXPECT_EQ(open.notes()[1].MIDINote(), 43u);
    EXPECT_EQ(open.notes()[11].MIDINote(), 67u);
    EXPECT_EQ(open.description(), "SCScale: E, G, A, B, D, E, G, A, B, D, E, G, ");
}

TEST(SCScaleSearch, PatternsChainConsecutiveDegreesAndNeverRepeatTheLastOne) {
    for (unsigned type = 0; type < 3; ++type) {
        const PlistValue degrees = types()[type]["intervals"];
        const std::vector<SCScale> scales = search(kC, type);
        ASSERT_FALSE(scales.empty()) << type;
        for (std::size_t i = 0; i < scales.size(); ++i) {
            EXPECT_TRUE(scales[i].isValid());
            if (i > 0) {
                EXPECT_FALSE(scales[i].isEqualToScale(&scales[i - 1]));
            }
            const auto& notes = scales[i].notes();
            for (std::size_t n = 1; n < notes.size(); ++n) {
                // The next note is the next degree of the scale, wrapping at the octave.
                std::size_t previous = 0;
                std::size_t current = 0;
                for (std::size_t d = 0; d < degrees.count(); ++d) {
                    previous = degrees[d].intValue() == int(notes[n - 1].interval()) ? d : previous;
                    current = degrees[d].intValue() == int(notes[n].interval()) ? d : current;
                }
                EXPECT_EQ(current, (previous + 1) % degrees.count()) << type << " " << i;
            }
        }
        EXPECT_LT(scales.size(), SCScaleSearch::kPositions);
    }
}

TEST(SCScaleSearch, OpenPositionLeavesTheNextStringsOpenPitchToThatString) {
    // C major, position 0: B on the G string's fourth fret is the open B string's note.
    const std::vector<SCScale> scales = search(kC, 0);
    ASSERT_FALSE(scales.empty());
    ASSERT_TRUE(scales.front().hasOpenStrings());
    for (const auto& [string, fret] : positions(scales.front())) {
        EXPECT_FALSE(string == 3 && fret == 4);
        EXPECT_FALSE(string == 0 && fret == 5);
    }
    // Fretted further up, the same pitch on the lower string is taken.
    bool fourthFretB = false;
    for (const SCScale& scale : scales) {
        for (const auto& [string, fret] : positions(scale)) {
            fourthFretB = fourthFretB || (string == 3 && fret == 4 && !scale.hasOpenStrings());
        }
    }
    EXPECT_TRUE(fourthFretB);
}

TEST(SCScaleSearch, DetuningByAnOctaveRaisesOnlyTheMidiNotes) {
    SCScaleSearchSettings up;
    up.detune = 12;
    const std::vector<SCScale> plain = search(kE, 0);
    const std::vector<SCScale> raised = search(kE, 0, up);
    ASSERT_EQ(plain.size(), raised.size());
    for (std::size_t i = 0; i < plain.size(); ++i) {
        ASSERT_TRUE(plain[i].isEqualToScale(&raised[i]));
        for (std::size_t n = 0; n < plain[i].notes().size(); ++n) {
            EXPECT_EQ(raised[i].notes()[n].MIDINote(), plain[i].notes()[n].MIDINote() + 12);
            EXPECT_EQ(raised[i].notes()[n].finger(), plain[i].notes()[n].finger());
        }
    }
}

TEST(SCScaleSearch, TheTuningAndAlterationsReachTheNotes) {
    SCScaleSearchSettings halfStepDown;
    halfStepDown.tuning = 1;
    const std::vector<SCScale> lowered = search(kE, 1, halfStepDown);
    ASSERT_FALSE(lowered.empty());
    for (const SCScale& scale : lowered) {
        for (const SCScaleNote& note : scale.notes()) {
            if (note.string() == 0) {
                EXPECT_EQ(note.MIDINote(), 39 + note.fret());
            }
        }
    }
    EXPECT_FALSE(lowered.front().isEqualToScale(&search(kE, 1).front()));

    // E blues: B flat, the blue note, is labelled as a raised fourth by this type's flags.
    const std::vector<SCScale> blues = search(kE, 2);
    ASSERT_FALSE(blues.empty());
    const SCScaleNote& blue = blues.front().notes()[3];
    EXPECT_EQ(blue.interval(), 6u);
    EXPECT_EQ(blue.intervalName(), "#4");
    EXPECT_EQ(blue.name(), "A#");
}

TEST(SCScaleSearch, BadTypeOrTuningIndicesDoNotCrash) {
    EXPECT_TRUE(search(kE, 3).empty());
    EXPECT_TRUE(search(kE, 4000000000u).empty());

    LogCapture log;
    SCScaleSearchSettings missing;
    missing.tuning = 7;
    const std::vector<SCScale> fallback = search(kE, 1, missing);
    EXPECT_TRUE(log.contains("standard tuning"));
    ASSERT_FALSE(fallback.empty());
    EXPECT_TRUE(fallback.front().isEqualToScale(&search(kE, 1).front()));
    missing.tuning = -1;
    EXPECT_EQ(search(kE, 1, missing).size(), search(kE, 1).size());
}

TEST(SCScaleSearch, SettingsAreReadFromTheUserDefaults) {
    TempDir dir;
    fretkit::UserDefaults defaults(dir.file("defaults.plist"));
    const SCScaleSearchSettings fresh = SCScaleSearchSettings::fromDefaults(defaults);
    EXPECT_EQ(fresh.tuning, 0);
    EXPECT_EQ(fresh.detune, 0);
    EXPECT_FALSE(fresh.allowStretched);

    defaults.setInteger(1, "SC_tuning");
    defaults.setInteger(-3, "SC_detune");
    defaults.setBool(true, "SC_allowStretched");
    const SCScaleSearchSettings stored = SCScaleSearchSettings::fromDefaults(defaults);
    EXPECT_EQ(stored.tuning, 1);
    EXPECT_EQ(stored.detune, -3);
    EXPECT_TRUE(stored.allowStretched);
}
