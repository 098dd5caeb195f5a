#include "AnimationClock.h"
#include "FretboardTestSupport.h"
#include "fretboard/BZBarButton.h"
#include "fretboard/BZFinger.h"
#include "fretboard/FretboardDemo.h"
#include "kit/KitDemo.h"
#include "ui/DeviceEvents.h"

#include <QAction>
#include <QLabel>
#include <gtest/gtest.h>

using Heard = std::vector<std::string>;

namespace {

// A screen with a landscape face holding a lying neck, following the phone's orientation.
struct Screen {
    PhoneWindow phone;
    AnimationClock clock;
    std::unique_ptr<QObject> owner = std::make_unique<QObject>();
    Recorder recorder;
    BZLandscapeView* face = new BZLandscapeView(*owner);
    BZFretboard* neck;

    Screen()
        : neck(phone.addFretboard(QRect(0, BZLandscapeView::kBarHeight + 8, 480, 240), &recorder,
                                  face->page())) {
        DeviceEvents::setOrientation(DeviceEvents::Portrait);
        face->startObservingOrientation();
    }
    ~Screen() { DeviceEvents::setOrientation(DeviceEvents::Portrait); }

    void turn(const char* title) {
        for (QAction* action : phone.window().findChildren<QAction*>()) {
            if (action->text() == QLatin1String(title)) {
                action->trigger();
            }
        }
    }
    QPoint at(double x, double y) { return phone.onScreen(*neck, {x, y}, face); }
};

} // namespace

TEST(LandscapeView, TurningTheWindowFadesTheFaceInTurnedAQuarterAndPortraitFadesItOut) {
    Screen s;
    EXPECT_FALSE(s.face->isShown());
    s.turn("Landscape Left");
    EXPECT_EQ(s.face->parentWidget(), &s.phone.screen());
    EXPECT_EQ(s.face->geometry(), QRect(0, 0, 320, 480));
    EXPECT_TRUE(s.phone.screen().isStatusBarHidden());
    EXPECT_DOUBLE_EQ(s.face->landscapeRotate(), M_PI / 2);
    s.clock.advance(0.2);
    EXPECT_GT(View::alpha(s.face), 0.0);
    EXPECT_LT(View::alpha(s.face), 1.0);
    s.clock.advance(0.2);
    EXPECT_DOUBLE_EQ(View::alpha(s.face), 1.0);
    // The page's top left is at the screen's top right: turned clockwise.
    EXPECT_EQ(s.face->mapPageToScreen({0, 0}).toPoint(), QPoint(320, 0));

    s.turn("Upside Down"); // ignored
    EXPECT_TRUE(s.face->isShown());
    s.turn("Portrait");
    EXPECT_FALSE(s.phone.screen().isStatusBarHidden());
    s.clock.advance(0.2);
    EXPECT_TRUE(s.face->isShown()) << View::alpha(s.face);
    s.clock.advance(0.2);
    EXPECT_FALSE(s.face->isShown());
    EXPECT_DOUBLE_EQ(s.face->landscapeRotate(), 0.0);

    s.turn("Landscape Right");
    s.clock.advance(0.4);
    EXPECT_DOUBLE_EQ(s.face->landscapeRotate(), -M_PI / 2);
    EXPECT_EQ(s.face->mapPageToScreen({0, 0}).toPoint(), QPoint(0, 480));
}

TEST(LandscapeView, TouchesOnTheTurnedFaceReachTheNeckWhereTheMouseIs) {
    Screen s;
    for (const char* side : {"Landscape Left", "Landscape Right"}) {
        SCOPED_TRACE(side);
        s.turn(side);
        s.clock.advance(0.4);
        const double fret5 = s.neck->positionOfFinger(5);
        s.phone.click(s.at(fret5, 129)); // string 2 lies at 195 - 66
        EXPECT_EQ(s.recorder.take(), (Heard{"tap 2 5"}));
        s.phone.drag(s.at(fret5, 225), s.at(fret5, 5), 3); // from string 0 to string 5
        const Heard heard = s.recorder.take();
        ASSERT_EQ(heard.size(), 7u);
        EXPECT_EQ(heard.front(), "pluck 0 5");
        EXPECT_EQ(heard.back(), "strum 1");
        s.turn("Portrait");
        s.clock.advance(0.4);
    }
}

TEST(LandscapeView, TurningStraightToTheOtherSideOrBackDuringTheFadeKeepsTheFaceRight) {
    Screen s;
    s.turn("Landscape Left");
    s.clock.advance(0.4);
    // From one side to the other: the face turns over at once instead of reading upside down.
    s.turn("Landscape Right");
    EXPECT_DOUBLE_EQ(s.face->landscapeRotate(), -M_PI / 2);
    EXPECT_DOUBLE_EQ(View::alpha(s.face), 1.0);
    // Back to landscape while the face fades out: it stays and fades in again.
    s.turn("Portrait");
    s.clock.advance(0.1);
    s.turn("Landscape Left");
    s.clock.advance(0.5);
    EXPECT_TRUE(s.face->isShown());
    EXPECT_DOUBLE_EQ(View::alpha(s.face), 1.0);
    EXPECT_DOUBLE_EQ(s.face->landscapeRotate(), M_PI / 2);
    EXPECT_TRUE(s.phone.screen().isStatusBarHidden());
}

TEST(LandscapeView, AScreenThatGoesTakesItsFaceAlong) {
    auto s = std::make_unique<Screen>();
    int shown = 0;
    s->face->setWillShow([&] { ++shown; });
    s->turn("Landscape Left");
    s->clock.advance(0.4);
    EXPECT_EQ(shown, 1);
    s->face->stopObservingOrientation();
    EXPECT_FALSE(s->face->isShown());
    EXPECT_FALSE(s->phone.screen().isStatusBarHidden());
    s->turn("Portrait");
    s->turn("Landscape Left"); // no longer followed
    EXPECT_FALSE(s->face->isShown());

    s->face->startObservingOrientation();
    s->turn("Portrait");
    s->turn("Landscape Right");
    QPointer<BZLandscapeView> face = s->face;
    ASSERT_TRUE(s->phone.screen().isStatusBarHidden());
    s->owner.reset(); // the owning screen goes while its face is up
    EXPECT_TRUE(face.isNull());
    EXPECT_FALSE(s->phone.screen().isStatusBarHidden());
    s.reset();
}

TEST(LandscapeView, TheBarOffersATitleAndTwoArrowsThatScreensShowAndDisable) {
    Screen s;
    BZBarButton* left = s.face->leftButton();
    BZBarButton* right = s.face->rightButton();
    EXPECT_TRUE(left->isHidden());
    left->show();
    right->show();
    int clicks = 0;
    QObject::connect(right, &QAbstractButton::clicked, [&] { ++clicks; });
    s.face->titleLabel()->setText(QStringLiteral("E Maj"));
    s.turn("Landscape Left");
    s.clock.advance(0.4);
    const QPoint centre = s.face->mapPageToScreen(right->geometry().center()).toPoint();
    s.phone.click(centre);
    EXPECT_EQ(clicks, 1);
    right->setEnabled(false);
    s.phone.click(centre);
    EXPECT_EQ(clicks, 1);
}

TEST(LandscapeView, TheFretboardDemoPagesJoinTheKitDemo) {
    screenApplication();
    FretboardDemo::addKitPages();
    FretboardDemo::addKitPages(); // once only
    EXPECT_EQ(KitDemo::pages().count(QStringLiteral("fretboard")), 1);
    EXPECT_TRUE(KitDemo::pages().contains(QStringLiteral("fretboard-landscape-left-handed")));
}

// Qt's opacity effect draws nothing under the face's quarter turn: fingers and their halos paint
// their alpha themselves, so a faded finger still shows there, between the neck and the disc.
TEST(LandscapeView, AFadedFingerShowsOnTheTurnedFaceAtItsAlpha) {
    Screen s;
    s.turn("Landscape Left");
    s.clock.advance(0.4);
    auto finger = BZFinger::fingerForFretboard(*s.neck);
    finger->setBackgroundStyle(BZFinger::Black); // dark on the maple
    finger->setString(2);
    finger->setFret(3);
    s.neck->addFinger(finger);
    const QPoint centre = s.at(finger->geometry().center().x(), finger->geometry().center().y());
    const auto shown = [&](double alpha) {
        View::setAlpha(finger.get(), alpha);
        return s.phone.picture().pixelColor(centre);
    };
    const QColor disc = shown(1.0);
    const QColor neck = shown(0.0);
    const QColor faded = shown(1.0 / 3.0);
    ASSERT_GT(neck.value() - disc.value(), 60) << "no disc drawn where the finger is";
    for (const auto channel : {&QColor::red, &QColor::green, &QColor::blue}) {
        EXPECT_NEAR((faded.*channel)(),
                    (neck.*channel)() + ((disc.*channel)() - (neck.*channel)()) / 3.0, 12.0);
    }
}
