#include "FretboardTestSupport.h"
#include "fretboard/BZFinger.h"
#include "ui/DeviceEvents.h"
#include "ui/View.h"

#include <QWheelEvent>
#include <gtest/gtest.h>

using Heard = std::vector<std::string>;

namespace {

// An upright neck at (40, 10) of the page: strings at x 50 + 33 i of the neck, 90 + 33 i on
// the screen; neck y 0 is screen y 30.
const QRect kUpright(40, 10, 240, 400);
// A neck on its side at (0, 100): strings at y 195 - 33 i of the neck.
const QRect kLying(0, 100, 320, 240);

struct Necks {
    PhoneWindow phone;
    Recorder recorder;
    BZFretboard* upright = phone.addFretboard(kUpright, &recorder);

    QPoint at(BZFretboard& fretboard, double x, double y) {
        return phone.onScreen(fretboard, {x, y});
    }
    // Across the strings of an upright neck at neck height y.
    void strokeAcross(BZFretboard& fretboard, double fromX, double toX, double y = 300) {
        phone.drag(at(fretboard, fromX, y), at(fretboard, toX, y));
    }
};

std::vector<std::string> strums(const Heard& heard) {
    std::vector<std::string> only;
    for (const std::string& line : heard) {
        if (line.starts_with("strum")) {
            only.push_back(line);
        }
    }
    return only;
}

} // namespace

TEST(FretboardTouches, APressThatStaysPutTapsItsStringButOneThatMovedNeverDoes) {
    Necks t;
    const unsigned fret3 = 3;
    const double y = t.upright->positionOfFinger(fret3);
    t.phone.click(t.at(*t.upright, 83, y));
    EXPECT_EQ(t.recorder.take(), (Heard{"tap 1 3"}));
    // Between strings, nothing; in front of the nut, fret 0.
    t.phone.click(t.at(*t.upright, 100, y));
    t.phone.click(t.at(*t.upright, 149, 5));
    EXPECT_EQ(t.recorder.take(), (Heard{"tap 3 0"}));
    // Along the string and back to where it began: it moved, so no tap.
    t.phone.stroke(
        {t.at(*t.upright, 83, y), t.at(*t.upright, 83, y + 30), t.at(*t.upright, 83, y)});
    EXPECT_EQ(t.recorder.take(), Heard{});
}

TEST(FretboardTouches, ASlowStrokePlucksEachStringOnceInTheOrderCrossedAndSkipsMutedOnes) {
    Necks t;
    t.upright->setMuted(true, 2);
    const unsigned fret = t.upright->contentView()->fretForPosition({0, 300});
    const auto pluck = [fret](int string) {
        return "pluck " + std::to_string(string) + " " + std::to_string(fret);
    };
    // From beside string 0 to past string 3: strings 0, 1 and 3 (2 is muted), no strum.
    t.strokeAcross(*t.upright, 45, 160);
    EXPECT_EQ(t.recorder.take(), (Heard{pluck(0), pluck(1), pluck(3)}));
    t.strokeAcross(*t.upright, 160, 45);
    EXPECT_EQ(t.recorder.take(), (Heard{pluck(3), pluck(1), pluck(0)}));
    // A muted string takes no taps either; unmuted it plays again.
    t.phone.click(t.at(*t.upright, 116, 300));
    t.upright->setMuted(false, 2);
    t.phone.click(t.at(*t.upright, 116, 300));
    EXPECT_EQ(t.recorder.take(), (Heard{"tap 2 " + std::to_string(fret)}));
}

TEST(FretboardTouches, StrokesPastHalfTheNeckStrumAndATurnOfSeventeenPointsStrumsThereAndBack) {
    Necks t;
    t.strokeAcross(*t.upright, 40, 150); // 110 points: short of half the 240-point width
    EXPECT_EQ(strums(t.recorder.take()), Heard{});
    t.phone.stroke(
        {t.at(*t.upright, 10, 300), t.at(*t.upright, 140, 300), t.at(*t.upright, 123, 300)});
    EXPECT_EQ(strums(t.recorder.take()), (Heard{"strum 2"}));
    t.phone.stroke(
        {t.at(*t.upright, 230, 300), t.at(*t.upright, 100, 300), t.at(*t.upright, 117, 300)});
    EXPECT_EQ(strums(t.recorder.take()), (Heard{"strum -2"}));
}

TEST(FretboardTouches, FromTheThickestToTheThinnestStringIsPlusOneInEveryLayout) {
    Necks t;
    t.strokeAcross(*t.upright, 30, 230); // right-handed: string 0 at the left
    t.strokeAcross(*t.upright, 230, 30);
    EXPECT_EQ(strums(t.recorder.take()), (Heard{"strum 1", "strum -1"}));

    t.upright->setLeftHanded(true); // string 0 at the right
    t.strokeAcross(*t.upright, 230, 30);
    t.strokeAcross(*t.upright, 30, 230);
    EXPECT_EQ(strums(t.recorder.take()), (Heard{"strum 1", "strum -1"}));

    BZFretboard* lying = t.phone.addFretboard(kLying, &t.recorder);
    t.upright->hide();
    for (const bool leftHanded : {false, true}) {
        lying->setLeftHanded(leftHanded);
        t.phone.drag(t.at(*lying, 200, 220), t.at(*lying, 200, 10)); // string 0 lowest
        t.phone.drag(t.at(*lying, 200, 10), t.at(*lying, 200, 220));
        EXPECT_EQ(strums(t.recorder.take()), (Heard{"strum 1", "strum -1"})) << leftHanded;
    }
}

TEST(FretboardTouches, MessagesGoOnlyToADelegateThatAnswersThem) {
    struct StrumOnly : BZFretboardDelegate, BZFretboardDidStrum {
        std::vector<int> strums;
        void fretboardDidStrum(BZFretboard&, int direction) override {
            strums.push_back(direction);
        }
    } strumOnly;
    Necks t;
    t.upright->setFretboardDelegate(&strumOnly);
    t.phone.click(t.at(*t.upright, 83, 300));
    t.strokeAcross(*t.upright, 30, 230);
    EXPECT_EQ(strumOnly.strums, (std::vector<int>{1}));
    t.upright->becomeFirstResponder();
    DeviceEvents::shake(); // it does not answer shakes: nothing, and no harm
    t.upright->setFretboardDelegate(nullptr);
    t.strokeAcross(*t.upright, 30, 230);
    EXPECT_EQ(strumOnly.strums.size(), 1u);
    EXPECT_EQ(t.recorder.take(), Heard{});
}

TEST(FretboardTouches, ShakesReachTheDelegateWhileTheFretboardIsFirstResponder) {
    Necks t;
    QAction* shake = nullptr;
    for (QAction* action : t.phone.window().findChildren<QAction*>()) {
        shake = action->text() == QLatin1String("Shake") ? action : shake;
    }
    ASSERT_NE(shake, nullptr);
    shake->trigger();
    EXPECT_EQ(t.recorder.take(), Heard{});
    ASSERT_TRUE(t.upright->becomeFirstResponder());
    shake->trigger();
    EXPECT_EQ(t.recorder.take(), (Heard{"shake"}));
}

TEST(FretboardTouches, TouchesOnAFingerOrBesideTheNeckReachTheNeck) {
    Necks t;
    auto finger = BZFinger::fingerForFretboard(*t.upright);
    finger->setString(1);
    finger->setFret(3);
    t.upright->addFinger(finger);
    t.phone.click(t.phone.onScreen(*t.upright, QRectF(finger->geometry()).center()));
    EXPECT_EQ(t.recorder.take(), (Heard{"tap 1 3"}));

    // A screen's view around the neck hands its touches on, so that a stroke that starts
    // beside the neck still plucks.
    class Around : public View {
    public:
        explicit Around(QWidget* parent, BZFretboard& neck) : View(parent), neck_(neck) {}

    protected:
        void touchesBegan(const Touch& touch) override { neck_.touchesBegan(touch, *this); }
        void touchesMoved(const Touch& touch) override { neck_.touchesMoved(touch, *this); }
        void touchesEnded(const Touch& touch) override { neck_.touchesEnded(touch, *this); }

    private:
        BZFretboard& neck_;
    };
    auto* around = new Around(t.phone.page(), *t.upright);
    around->setGeometry(0, 0, 40, 400);
    around->show();
    const int y = t.at(*t.upright, 0, 300).y();
    t.phone.drag({10, y}, t.at(*t.upright, 100, 300));
    EXPECT_EQ(t.recorder.take(), (Heard{"pluck 0 6", "pluck 1 6", "strum 1"}));
}

TEST(FretboardTouches, TheWheelScrollsOnlyANeckWhoseScrollingIsOnAndStopsAtItsEnd) {
    Necks t;
    const QPoint at = t.at(*t.upright, 120, 200); // a place on the screen, over the neck
    auto wheel = [&](int notches) {
        QGraphicsView* view =
            t.phone.window().findChild<QGraphicsView*>(QString(), Qt::FindDirectChildrenOnly);
        QWheelEvent event(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, notches * 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &event);
    };
    wheel(-3);
    EXPECT_EQ(t.upright->contentOffset(), QPointF(0, 0));
    t.upright->setScrollEnabled(true);
    wheel(-3); // down the neck
    EXPECT_EQ(t.upright->contentOffset(), QPointF(0, 3 * BZFretboard::kWheelStep));
    EXPECT_EQ(t.upright->contentView()->pos(), QPoint(0, -3 * int(BZFretboard::kWheelStep)));
    wheel(-100);
    EXPECT_EQ(t.upright->contentOffset(), QPointF(0, 1340 - 400));
    wheel(100);
    EXPECT_EQ(t.upright->contentOffset(), QPointF(0, 0));
    // A stroke turns scrolling off while it lasts and back on after.
    t.phone.press(at);
    t.phone.move(at + QPoint(20, 0));
    EXPECT_FALSE(t.upright->isScrollEnabled());
    t.phone.release(at + QPoint(20, 0));
    EXPECT_TRUE(t.upright->isScrollEnabled());
}
