#include "metronome/MTTapTempo.h"

#include "metronome/MTTempoEditorModel.h"

#include <gtest/gtest.h>

namespace {

std::optional<std::uint32_t> editorTempoAfter(MTTapTempo& taps, double now) {
    const auto tempo = taps.tap(now);
    return tempo ? std::optional(MTTempoEditorModel::clamp(*tempo)) : std::nullopt;
}

TEST(MTTapTempo, SeriesGivesTheMeanInterval) {
    MTTapTempo taps;
    EXPECT_EQ(taps.tap(0.0), std::nullopt);
    EXPECT_EQ(taps.tap(0.5), 120u);
    EXPECT_EQ(taps.tap(1.0), 120u);
    EXPECT_EQ(taps.tap(1.7), 105u); // 1.7 s over three intervals: 105.88, truncated
}

TEST(MTTapTempo, AWholeTempoIsNotLostToTheIntervalsRounding) {
    MTTapTempo taps;
    taps.tap(0.0);
    EXPECT_EQ(taps.tap(0.4), 150u); // 60 / 0.4 is 149.99999999999997 in doubles
    EXPECT_EQ(taps.tap(0.8), 150u);
    MTTapTempo slow;
    slow.tap(10.0);
    EXPECT_EQ(slow.tap(10.7), 85u); // 85.714..., still truncated
}

TEST(MTTapTempo, AfterEightTapsUsesTheLastSevenIntervals) {
    MTTapTempo taps;
    double now = 0.0;
    for (int i = 0; i < 8; ++i, now += 1.0) {
        taps.tap(now); // 60 BPM
    }
    // Ninth tap 0.3 s later: the kept taps run from 1.0 to 7.3 s, 6.3 s over seven intervals.
    EXPECT_EQ(taps.tap(7.3), 66u);
    EXPECT_EQ(taps.numberOfTaps(), 9u);
}

TEST(MTTapTempo, PauseStartsANewSeries) {
    MTTapTempo taps;
    taps.tap(0.0);
    taps.tap(0.5);
    EXPECT_EQ(taps.tap(2.5), std::nullopt); // 2 s after the last tap
    EXPECT_EQ(taps.numberOfTaps(), 1u);
    EXPECT_EQ(taps.tap(3.0), 120u);
    // A 1.6 s gap resets the series before the interval is taken: nothing is set.
    MTTapTempo gap;
    gap.tap(10.0);
    EXPECT_EQ(gap.tap(11.6), std::nullopt);
}

TEST(MTTapTempo, FastTapsClampAndOddClocksGiveNothingWrong) {
    MTTapTempo taps;
    taps.tap(0.0);
    EXPECT_EQ(editorTempoAfter(taps, 0.1), 280u); // 600 BPM
    MTTapTempo same;
    same.tap(5.0);
    EXPECT_EQ(editorTempoAfter(same, 5.0), 280u); // two taps at one instant
    MTTapTempo back;
    back.tap(5.0);
    EXPECT_EQ(back.tap(4.0), std::nullopt); // the clock went back
}

TEST(MTTempoEditorModel, ClampsAndReportsOnlyChanges) {
    MTTempoEditorModel editor;
    EXPECT_TRUE(editor.setTempo(300));
    EXPECT_EQ(editor.tempo(), 280u);
    EXPECT_FALSE(editor.setTempo(280));
    EXPECT_FALSE(editor.setTempo(1000));
    EXPECT_TRUE(editor.setTempo(10));
    EXPECT_EQ(editor.tempo(), 40u);
    EXPECT_TRUE(editor.setTempo(97));
    EXPECT_EQ(editor.tempo(), 97u);
}

TEST(MTTempoEditorModel, NamesCoverHalfOpenRanges) {
    const auto& names = MTTempoEditorModel::names();
    ASSERT_EQ(names.size(), 8u);
    const std::uint32_t mids[] = {50, 63, 71, 92, 114, 144, 184, 240};
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(names[i].midValue(), mids[i]) << names[i].title;
        EXPECT_EQ(MTTempoEditorModel::nameIndexForTempo(names[i].midValue()), i);
        if (i > 0) {
            EXPECT_EQ(names[i].minimumValue, names[i - 1].maximumValue);
        }
    }
    EXPECT_EQ(names[*MTTempoEditorModel::nameIndexForTempo(120)].title, "allegro");
    EXPECT_EQ(names[*MTTempoEditorModel::nameIndexForTempo(119)].title, "moderato");
    EXPECT_EQ(names[*MTTempoEditorModel::nameIndexForTempo(40)].title, "largo");
    EXPECT_EQ(MTTempoEditorModel::nameIndexForTempo(280), std::nullopt);
    EXPECT_EQ(MTTempoEditorModel::nameIndexForTempo(39), std::nullopt);
}

} // namespace
