#include "fretboard/FretboardTouch.h"

#include <gtest/gtest.h>
#include <vector>

using fretkit::FretboardGeometry;
using fretkit::FretboardTouch;
using Event = FretboardTouch::Event;
using Kind = FretboardTouch::Event::Kind;

namespace {

// An upright right-handed neck, 240 wide, strings at x 50 + 33 i; the boundary cases of the
// reading of touches (the screens' tests play the common ones through the mouse).
struct Neck {
    FretboardGeometry geometry;
    std::vector<FretboardTouch::String> strings;
    FretboardTouch touch;

    Neck() {
        for (unsigned i = 0; i < 6; ++i) {
            strings.push_back({geometry.stringPosition(i), false});
        }
    }
    FretboardTouch::Neck view() const { return {geometry, strings, 240.0f, 1340.0f}; }
    std::vector<Event> stroke(std::vector<float> xs, float y = 300.0f) {
        std::vector<Event> events;
        touch.began({xs.front(), y}, false);
        for (std::size_t i = 1; i < xs.size(); ++i) {
            for (const Event& event : touch.moved({xs[i - 1], y}, {xs[i], y}, view())) {
                events.push_back(event);
            }
        }
        for (const Event& event : touch.ended({xs.back(), y}, view())) {
            events.push_back(event);
        }
        return events;
    }
    std::vector<Event> tapAt(float x, float y) {
        touch.began({x, y}, false);
        return touch.ended({x, y}, view());
    }
};

} // namespace

TEST(FretboardTouch, ATapCountsOnlyStrictlyWithinSixteenPointsOfAString) {
    Neck neck;
    const unsigned fret = neck.geometry.fretForPosition(300.0f);
    EXPECT_EQ(neck.tapAt(83.0f + 15.5f, 300.0f), (std::vector<Event>{{Kind::Tap, 1, fret, 0}}));
    EXPECT_TRUE(neck.tapAt(83.0f + 16.0f, 300.0f).empty());
    EXPECT_TRUE(neck.tapAt(83.0f - 16.0f, 300.0f).empty());
    // Off the neck along its length: nothing at all.
    EXPECT_TRUE(neck.tapAt(83.0f, -1.0f).empty());
    EXPECT_TRUE(neck.tapAt(83.0f, 1341.0f).empty());
    neck.strings[1].muted = true;
    EXPECT_TRUE(neck.tapAt(83.0f, 300.0f).empty());
}

TEST(FretboardTouch, OneFastMovePlucksEveryCrossedStringInStringOrder) {
    Neck neck;
    const std::vector<Event> events = neck.stroke({220.0f, 40.0f});
    std::vector<unsigned> plucked;
    for (const Event& event : events) {
        if (event.kind == Kind::Pluck) {
            plucked.push_back(event.string);
        }
    }
    EXPECT_EQ(plucked, (std::vector<unsigned>{0, 1, 2, 3, 4, 5}));
    // Landing exactly on a string plucks it; leaving it from there does not again.
    const unsigned fret = neck.geometry.fretForPosition(300.0f);
    EXPECT_EQ(neck.stroke({70.0f, 83.0f, 90.0f}).front(), (Event{Kind::Pluck, 1, fret, 0}));
    EXPECT_EQ(neck.stroke({70.0f, 83.0f, 90.0f}).size(), 1u);
}

TEST(FretboardTouch, MovesWithAnEndOffTheNeckAreIgnoredButStillCountAsMoving) {
    Neck neck;
    neck.touch.began({40.0f, 10.0f}, true);
    EXPECT_TRUE(neck.touch.moved({40.0f, 10.0f}, {220.0f, -5.0f}, neck.view()).empty());
    EXPECT_TRUE(neck.touch.touchMoved());
    EXPECT_EQ(neck.touch.swipeDirection(), 0);
    EXPECT_TRUE(neck.touch.ended({220.0f, -5.0f}, neck.view()).empty());
    EXPECT_TRUE(neck.touch.scrollWasEnabled());
}

TEST(FretboardTouch, AStrokeTurnsBackOnlyByMoreThanSixteenPoints) {
    // From x 10 over half the width (120) to 140, then back: 16 points keep a single strum,
    // 17 make it there and back. Upright right-handed, towards string 5 counts as +1.
    Neck neck;
    for (const Event& event : neck.stroke({10.0f, 60.0f, 100.0f, 129.0f})) {
        EXPECT_EQ(event.kind, Kind::Pluck); // short of half: no strum
    }
    const std::vector<Event> single = neck.stroke({10.0f, 140.0f, 124.0f});
    EXPECT_EQ(single.back(), (Event{Kind::Strum, 0, 0, 1}));
    const std::vector<Event> back = neck.stroke({10.0f, 140.0f, 123.0f});
    EXPECT_EQ(back.back(), (Event{Kind::Strum, 0, 0, 2}));
    // The turn is measured from the farthest point reached.
    const std::vector<Event> further = neck.stroke({10.0f, 140.0f, 200.0f, 190.0f, 183.0f});
    EXPECT_EQ(further.back(), (Event{Kind::Strum, 0, 0, 2}));
    EXPECT_EQ(neck.stroke({10.0f, 140.0f, 200.0f, 184.0f}).back(), (Event{Kind::Strum, 0, 0, 1}));
}

TEST(FretboardTouch, ACancelledTouchReportsNothingAndStartsAfresh) {
    Neck neck;
    neck.touch.began({10.0f, 300.0f}, false);
    neck.touch.moved({10.0f, 300.0f}, {200.0f, 300.0f}, neck.view());
    EXPECT_EQ(neck.touch.swipeDirection(), -1);
    neck.touch.cancelled();
    EXPECT_EQ(neck.touch.swipeDirection(), 0);
    EXPECT_EQ(neck.tapAt(50.0f, 300.0f).size(), 1u);
}
