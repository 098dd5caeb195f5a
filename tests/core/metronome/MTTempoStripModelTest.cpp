#include "metronome/MTTempoStripModel.h"

#include "metronome/MTTempoEditorModel.h"

#include <gtest/gtest.h>

namespace {

// Slots as the names' titles give them; the notches fall at 0, 105, 215, 320, 432, 540, 635
// and 750 ("largo" ... "prestissimo").
const std::vector<float> kWidths = {90, 120, 100, 110, 115, 100, 90, 140};
constexpr std::int32_t kAdagio = 215;
constexpr std::int32_t kAndante = 320;

struct Strip {
    MTTempoStripModel model{kWidths};
    double time = 10.0;
    int clicks = 0;
    std::vector<std::uint32_t> tempos;

    void take(const MTTempoStripModel::Move& move) {
        clicks += move.click ? 1 : 0;
        if (move.tempo) {
            tempos.push_back(*move.tempo);
        }
    }
    // Moves the finger by `dx` points `count` times, `interval` seconds apart.
    void drag(float x, float dx, int count, double interval) {
        model.beginTouch(x, time);
        for (int i = 1; i <= count; ++i) {
            time += interval;
            take(model.moveTouch(x + dx * static_cast<float>(i), time));
        }
    }
    // Runs the glide's 1/30 s steps until it ends; answers how long it took.
    double glideToTheEnd() {
        const double start = time;
        const std::size_t before = tempos.size();
        while (model.isGliding()) {
            time += 1.0 / 30.0;
            take(model.glide(time));
            EXPECT_TRUE(tempos.size() == before || !model.isGliding())
                << "a tempo before the last step";
        }
        return time - start;
    }
};

} // namespace

TEST(MTTempoStripModel, ASlowReleaseBetweenTwoNamesSnapsToTheNearerInAQuarterSecond) {
    const struct {
        float dx;
        std::int32_t scroll;
        std::uint32_t tempo;
    } cases[] = {{-40.0f, kAdagio, 71}, {-60.0f, kAndante, 92}};
    for (const auto& c : cases) {
        Strip strip;
        strip.model.showTempo(71, strip.time);
        ASSERT_EQ(strip.model.scroll(), kAdagio);
        strip.drag(200.0f, c.dx, 1, 1.0); // the content follows the finger to the left
        strip.model.endTouch(200.0f + c.dx, strip.time + 0.5);
        strip.time += 0.5;
        EXPECT_NEAR(strip.glideToTheEnd(), 0.25, 1.0 / 30.0);
        EXPECT_EQ(strip.model.scroll(), c.scroll);
        EXPECT_EQ(strip.tempos, std::vector<std::uint32_t>{c.tempo});
    }
}

TEST(MTTempoStripModel, AFlickCoastsForASecondAndLandsExactlyOnAName) {
    Strip strip;
    strip.model.showTempo(50, strip.time); // largo, at the left end
    strip.drag(300.0f, -15.0f, 12, 0.01);  // 1500 points a second to the left
    strip.model.endTouch(300.0f - 180.0f, strip.time);
    EXPECT_EQ(strip.model.scroll(), 180);
    EXPECT_TRUE(strip.tempos.empty()); // nothing while the finger is down
    const double took = strip.glideToTheEnd();
    EXPECT_GE(took, 1.0);
    EXPECT_LT(took, 1.0 + 1.5 / 30.0);
    // It coasted on towards the faster names and stopped on one, whose middle it set.
    const std::int32_t rest = strip.model.scroll();
    EXPECT_GT(rest, 500);
    EXPECT_NE(strip.model.strip().selectedIndex(), fretkit::ScrollStrip::kNotFound);
    const auto& names = MTTempoEditorModel::names();
    ASSERT_EQ(strip.tempos.size(), 1u);
    EXPECT_EQ(strip.tempos[0],
              names[static_cast<std::size_t>(strip.model.strip().selectedIndex())].midValue());
    EXPECT_GE(strip.clicks, 2);
}

TEST(MTTempoStripModel, AMoveClicksOnceHoweverManyNamesItPasses) {
    Strip strip;
    strip.model.showTempo(50, strip.time);
    strip.drag(300.0f, -50.0f, 1, 0.1); // 0 -> 50: no name passed
    EXPECT_EQ(strip.clicks, 0);
    strip.take(strip.model.moveTouch(50.0f, strip.time + 0.1)); // 50 -> 250: two names
    EXPECT_EQ(strip.clicks, 1);
    strip.take(strip.model.moveTouch(50.0f, strip.time + 0.2)); // no move, no click
    EXPECT_EQ(strip.clicks, 1);
}

TEST(MTTempoStripModel, ATempoFromElsewhereJumpsFirstThenGlidesWithoutSettingIt) {
    Strip strip;
    strip.take(strip.model.showTempo(100, strip.time)); // the stored tempo: placed at once
    EXPECT_EQ(strip.model.scroll(), kAndante);
    EXPECT_FALSE(strip.model.isGliding());
    EXPECT_EQ(strip.clicks, 0);

    strip.take(strip.model.showTempo(120, strip.time)); // allegro, two names on
    EXPECT_TRUE(strip.model.isGliding());
    EXPECT_NEAR(strip.glideToTheEnd(), MTTempoStripModel::kOutsideGlide, 1.0 / 30.0);
    EXPECT_EQ(strip.model.scroll(), 540);
    EXPECT_GE(strip.clicks, 1);
    EXPECT_TRUE(strip.tempos.empty());

    // 119 is the last of "moderato"; 280 ends the last range and names nothing.
    strip.model.showTempo(119, strip.time);
    strip.glideToTheEnd();
    EXPECT_EQ(strip.model.scroll(), 432);
    strip.model.showTempo(280, strip.time);
    EXPECT_FALSE(strip.model.isGliding());
    EXPECT_EQ(strip.model.scroll(), 432);
}

TEST(MTTempoStripModel, AWheelStepsNamesAndSetsTheOneItLandsOn) {
    Strip strip;
    strip.model.showTempo(100, strip.time);
    strip.model.stepNames(1, strip.time);
    strip.model.stepNames(1, strip.time + 0.05); // a second notch during the glide goes on
    strip.glideToTheEnd();
    EXPECT_EQ(strip.model.scroll(), 540);
    EXPECT_EQ(strip.tempos, std::vector<std::uint32_t>{144});
    strip.model.stepNames(-20, strip.time);
    strip.glideToTheEnd();
    EXPECT_EQ(strip.model.scroll(), 0);
    EXPECT_EQ(strip.tempos.back(), 50u);
}
