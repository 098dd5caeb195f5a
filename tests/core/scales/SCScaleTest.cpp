#include "scales/SCScale.h"

#include "ScalePositions.h"

#include <gtest/gtest.h>

using fretkit::SCScale;
using fretkit::SCScaleNote;

namespace {

struct Placed {
    unsigned string;
    unsigned fret;
    unsigned interval = 0;
};

SCScale scaleOf(const std::vector<Placed>& placed) {
    SCScale scale;
    for (const Placed& p : placed) {
        SCScaleNote note;
        note.setString(p.string);
        note.setFret(p.fret);
        note.setInterval(p.interval);
        scale.addNote(note);
    }
    return scale;
}

std::vector<unsigned> fingers(const SCScale& scale) {
    std::vector<unsigned> result;
    for (const SCScaleNote& note : scale.notes()) {
        result.push_back(note.finger());
    }
    return result;
}

// A major scale in second position (G major from fret 2): no stretches, fingers 1-4.
std::vector<Placed> gMajorAtTwo() {
    return {{0, 2}, {0, 3}, {0, 5}, {1, 2}, {1, 3}, {1, 5}, {2, 2}, {2, 4}, {2, 5},
            {3, 2}, {3, 4}, {3, 5}, {4, 3}, {4, 5}, {5, 2}, {5, 3}, {5, 5}};
}

} // namespace

TEST(SCScale, EmptyScalesAndTheirQueries) {
    SCScale empty;
    EXPECT_EQ(empty.lowestFret(), 4294967295u);
    EXPECT_FALSE(empty.hasOpenStrings());
    EXPECT_TRUE(empty.isEqualToScale(nullptr));
    EXPECT_TRUE(empty.isEqualToScale(&empty));
    EXPECT_EQ(empty.description(), "SCScale: ");
}

TEST(SCScale, EqualityComparesPositionsInOrderOnly) {
    SCScale a = scaleOf({{0, 3, 0}, {1, 5, 7}});
    SCScale b = scaleOf({{0, 3, 9}, {1, 5, 2}});
    SCScale reordered = scaleOf({{1, 5}, {0, 3}});
    SCScale longer = scaleOf({{0, 3}, {1, 5}, {2, 5}});
    EXPECT_TRUE(a.isEqualToScale(&b));
    EXPECT_FALSE(a.isEqualToScale(&reordered));
    EXPECT_FALSE(a.isEqualToScale(&longer));
    EXPECT_FALSE(a.isEqualToScale(nullptr));
}

TEST(SCScale, PatternsWithTwoEmptyStringsAreInvalidAndKeepTheirFingers) {
    SCScale scale = scaleOf({{0, 5}, {0, 7}, {1, 5}, {2, 7}, {3, 5}});
    scale.conform(false);
    EXPECT_FALSE(scale.isValid());
    EXPECT_EQ(fingers(scale), (std::vector<unsigned>{0, 0, 0, 0, 0}));
}

TEST(SCScale, ClosedPatternsGetFingersFromTheLowestFret) {
    SCScale scale = scaleOf(gMajorAtTwo());
    scale.conform(false);
    EXPECT_TRUE(scale.isValid());
    EXPECT_EQ(fingers(scale),
              (std::vector<unsigned>{1, 2, 4, 1, 2, 4, 1, 3, 4, 1, 3, 4, 2, 4, 1, 2, 4}));
}

TEST(SCScale, OpenPatternsUseTheFretAsFingerAndSkipTrimmingAndReachChecks) {
    // E minor pentatonic in the open position.
    SCScale scale = scaleOf({{0, 0},
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
                             {5, 4},
                             {5, 3}});
    scale.conform(false);
    EXPECT_TRUE(scale.isValid());
    EXPECT_EQ(fingers(scale), (std::vector<unsigned>{0, 3, 0, 2, 0, 2, 0, 2, 0, 3, 0, 4, 3}));
    EXPECT_EQ(scale.notes().size(), 13u);
}

TEST(SCScale, AFiveFretSpanOnTheOuterStringsIsTrimmedUnlessStretchingIsAllowed) {
    std::vector<Placed> placed = {{0, 1}, {0, 3}, {0, 5}, {1, 2}, {1, 3}, {1, 5},
                                  {2, 2}, {2, 4}, {2, 5}, {3, 2}, {3, 4}, {3, 5},
                                  {4, 3}, {4, 5}, {5, 2}, {5, 4}, {5, 6}};
    SCScale trimmed = scaleOf(placed);
    trimmed.conform(false);
    EXPECT_EQ(trimmed.notes().size(), 15u);
    EXPECT_EQ(positions(trimmed).front(), (std::pair<unsigned, unsigned>{0, 3}));
    EXPECT_EQ(positions(trimmed).back(), (std::pair<unsigned, unsigned>{5, 4}));
    EXPECT_EQ(trimmed.fretsOnString(0), (std::set<unsigned>{3, 5}));
    EXPECT_EQ(trimmed.fretsOnString(5), (std::set<unsigned>{2, 4}));
    EXPECT_TRUE(trimmed.isValid());
    EXPECT_EQ(trimmed.notes().front().finger(), 2u); // lowest fret 2 is the first finger

    SCScale stretched = scaleOf(placed);
    stretched.conform(true);
    EXPECT_EQ(stretched.notes().size(), 17u);
}

TEST(SCScale, FirstFingerReachRescuesTheLowestFretOfAWideString) {
    // String 1 spans 2..6 with 3 beside 2; string 0 ends at 5, within reach of 2 + 3.
    SCScale scale = scaleOf({{0, 3},
                             {0, 5},
                             {1, 2},
                             {1, 3},
                             {1, 6},
                             {2, 3},
                             {2, 5},
                             {3, 3},
                             {3, 5},
                             {4, 4},
                             {4, 6},
                             {5, 3},
                             {5, 5}});
    scale.conform(false);
    EXPECT_EQ(scale.notes()[2].finger(), 1u);
    EXPECT_EQ(scale.notes()[3].finger(), 1u); // shift -1 carries on to the next note
    EXPECT_EQ(scale.notes()[4].finger(), 4u);
    EXPECT_TRUE(scale.isValid());
}

TEST(SCScale, TopNoteMovesToTheNextStringWhenASemitoneBelowItsFirstNote) {
    // String 1 spans 2..6 without 3; its top note (interval 4) lies a semitone under string 2's
    // first note (interval 5), so it moves to string 2, one fret below that note.
    SCScale scale = scaleOf({{0, 3, 0},
                             {0, 5, 2},
                             {1, 2, 0},
                             {1, 4, 2},
                             {1, 6, 4},
                             {2, 3, 5},
                             {2, 5, 7},
                             {3, 2, 9},
                             {3, 4, 11},
                             {4, 3, 0},
                             {4, 5, 2},
                             {5, 3, 4},
                             {5, 4, 5}});
    scale.conform(false);
    EXPECT_EQ(positions(scale)[4], (std::pair<unsigned, unsigned>{2, 2}));
    EXPECT_EQ(scale.fretsOnString(1), (std::set<unsigned>{2, 4}));
    EXPECT_EQ(scale.fretsOnString(2), (std::set<unsigned>{2, 3, 5}));
    EXPECT_EQ(scale.notes()[2].finger(), 1u);
    EXPECT_EQ(scale.notes()[3].finger(), 3u);
    EXPECT_TRUE(scale.isValid());
}

TEST(SCScale, StretchRescueNeedsTheSettingAndThreeEvenlySpacedFrets) {
    const std::vector<Placed> placed = {{0, 3}, {0, 5}, {1, 2}, {1, 4}, {1, 6}, {2, 3}, {2, 5},
                                        {3, 3}, {3, 5}, {4, 4}, {4, 6}, {5, 3}, {5, 5}};
    SCScale strict = scaleOf(placed);
    strict.conform(false);
    EXPECT_FALSE(strict.isValid());
    EXPECT_EQ(strict.notes()[2].finger(), 0u);

    SCScale stretched = scaleOf(placed);
    stretched.conform(true);
    EXPECT_TRUE(stretched.isValid());
    EXPECT_EQ(stretched.notes()[2].finger(), 1u);
}

TEST(SCScale, AFailedNoteKeepsThePatternInvalidEvenIfALaterNoteIsRescued) {
    // String 1 has no rescue for fret 2; string 3's fret 2 is rescued by the first finger.
    SCScale scale = scaleOf({{0, 3},
                             {0, 5},
                             {1, 2},
                             {1, 4},
                             {1, 6},
                             {2, 3},
                             {2, 5},
                             {3, 2},
                             {3, 3},
                             {3, 6},
                             {4, 4},
                             {4, 6},
                             {5, 3},
                             {5, 5}});
    scale.conform(false);
    EXPECT_EQ(scale.notes()[2].finger(), 0u);
    EXPECT_EQ(scale.notes()[7].finger(), 1u);
    EXPECT_FALSE(scale.isValid());
}

TEST(SCScale, NeighbouringStringsMustOverlapWithinThreeFrets) {
    // String 2 starts above where string 1 ends: the hand would have to move.
    std::vector<Placed> placed = {{0, 5}, {0, 7}, {1, 5}, {1, 6}, {2, 7}, {2, 8},
                                  {3, 7}, {3, 9}, {4, 7}, {4, 8}, {5, 7}, {5, 8}};
    SCScale gap = scaleOf(placed);
    gap.conform(false);
    EXPECT_FALSE(gap.isValid());

    // With stretching allowed the overlap is not required, but a six-fret span still fails.
    SCScale allowed = scaleOf(placed);
    allowed.conform(true);
    EXPECT_TRUE(allowed.isValid());
    placed[3].fret = 10;
    SCScale wide = scaleOf(placed);
    wide.conform(true);
    EXPECT_FALSE(wide.isValid());
}
