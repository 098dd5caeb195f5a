#include "ChordFinderTestSupport.h"
#include "shell/TourSteps.h"
#include "ui/WebView.h"

#include <gtest/gtest.h>

namespace {

const QString kX = QString::fromUtf8("\u2715");

QStringList names(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts) {
        list << QString::fromUtf8(text);
    }
    return list;
}

TEST(CFMainController, StartsOpenWithTheTuningsNotesAndPlacesOneFingerPerStringByTaps) {
    FinderScreen f;
    EXPECT_EQ(f.screen->chordName(), "Open strings");
    EXPECT_EQ(View::alpha(f.screen->portraitChordName()), 1.0);
    EXPECT_EQ(f.titleTexts(), names({"E", "A", "D", "G", "B", "E"}));
    EXPECT_EQ(f.titleTexts(true), f.titleTexts());
    for (unsigned s = 0; s < 6; ++s) {
        EXPECT_TRUE(f.title(s).isOpen()) << s;
        EXPECT_FALSE(f.title(s).isRoot()) << s;
    }
    EXPECT_EQ(f.screen->fingerCount(), 0);

    f.fret({-1, 3, 2, 0, 1, 0});
    EXPECT_EQ(f.screen->chordName(), "C");
    EXPECT_EQ(f.screen->landscapeChordName()->text(), "C");
    EXPECT_EQ(f.titleTexts(), (QStringList{kX, "C", "E", "G", "C", "E"}));
    EXPECT_FALSE(f.title(1).isOpen());
    EXPECT_TRUE(f.title(3).isOpen());
    EXPECT_FALSE(f.title(0).isOpen()) << "a muted string is not open";
    EXPECT_EQ(f.screen->fingerCount(), 3);
    EXPECT_EQ(f.screen->landscapeFretboard()->fingers().size(), 3u);

    // The low E added open: the chord keeps its name over its new bass.
    f.clickTitle(0);
    EXPECT_EQ(f.screen->chordName(), "C / E");
    // Another fret on the same string moves its one finger.
    f.tap(2, 4);
    EXPECT_EQ(f.screen->finder().fret(2), 4u);
    EXPECT_EQ(f.screen->fingerCount(), 3);
    EXPECT_EQ(f.finger(2).fret(), 4u);
    // Two notes make no chord: the name fades.
    f.fret({0, 0, 2, -1, -1, -1});
    EXPECT_EQ(f.screen->chordName(), "No chord");
    EXPECT_DOUBLE_EQ(View::alpha(f.screen->portraitChordName()), 0.25);
    EXPECT_DOUBLE_EQ(f.screen->landscapeView()->titleAlpha(), 0.25);
}

TEST(CFMainController, ATapPlaysTheFrettedNoteAndATapAtTheNutTakesTheFingerOffAndPlaysOpen) {
    FinderScreen f;
    f.tap(2, 2);
    EXPECT_EQ(f.render(), f.heard(2, 52)) << "D string, fret 2: E3";
    EXPECT_TRUE(f.isOnNeck(f.finger(2)));
    f.letRingOut();
    f.tap(2, 0);
    EXPECT_FALSE(f.isOnNeck(f.finger(2)));
    EXPECT_EQ(f.screen->chordName(), "Open strings");
    EXPECT_EQ(f.render(), f.heard(2, 50)) << "the open D";
    f.letRingOut();
    // A stroke across the strings plucks each of them with its fretted note, also one that
    // starts beside the neck.
    f.tap(1, 3);
    f.letRingOut();
    f.strumAcross(5);
    EXPECT_FALSE(FinderScreen::silent(f.render()));
    for (unsigned s = 0; s < 6; ++s) {
        EXPECT_TRUE(f.screen->finder().player().isSounding(s)) << s;
    }
    EXPECT_EQ(f.screen->finder().fret(1), 3u) << "a pluck moves no finger";
}

TEST(CFMainController,
     AMutedStringFadesItsFingerFallsSilentAndLeavesTheChordUnmutedItSoundsAtOnce) {
    FinderScreen f;
    f.fret({-1, 3, 2, 0, 1, 0});
    f.letRingOut();
    f.clickTitle(1);
    EXPECT_TRUE(f.screen->finder().isMuted(1));
    EXPECT_EQ(f.title(1).text(), kX);
    EXPECT_FALSE(f.title(1).isOpen());
    EXPECT_TRUE(f.isOnNeck(f.finger(1))) << "the finger stays";
    EXPECT_NEAR(View::alpha(&f.finger(1)), 0.33, 1e-6);
    EXPECT_NEAR(View::alpha(f.screen->landscapeFingers()[1].get()), 0.33, 1e-6);
    EXPECT_TRUE(f.portrait().contentView()->strings()[1]->muted());
    EXPECT_EQ(f.screen->chordName(), "C / E") << "E G C E over E";
    EXPECT_TRUE(FinderScreen::silent(f.render())) << "muting plays nothing";

    // The neck ignores the muted string: no tap, no pluck.
    f.tap(1, 5);
    EXPECT_EQ(f.screen->finder().fret(1), 3u);
    EXPECT_TRUE(FinderScreen::silent(f.render()));

    f.clickTitle(1);
    EXPECT_EQ(f.title(1).text(), "C");
    EXPECT_DOUBLE_EQ(View::alpha(&f.finger(1)), 1.0);
    EXPECT_EQ(f.render(), f.heard(1, 48)) << "unmuted, it sounds its C3 at once";
    EXPECT_EQ(f.screen->chordName(), "C");
}

TEST(CFMainController, DetuneAndTuningSettingsRenameTitlesAndChordAndReloadTheSounds) {
    FinderScreen f;
    f.fret({-1, 3, 2, 0, 1, 0});
    f.choose(CFSettings::kDetuneKey, 7); // +1 semitone
    EXPECT_EQ(fretkit::UserDefaults::standard().integerForKey(CFSettings::kDetuneKey), 1);
    EXPECT_EQ(f.screen->chordName(), "Db");
    EXPECT_EQ(f.titleTexts(), (QStringList{kX, "C#", "F", "Ab", "C#", "F"}));
    f.letRingOut();
    f.tap(1, 3);
    EXPECT_EQ(f.render(), f.heard(1, 49)) << "the A string tuned up to Bb, fret 3";
    EXPECT_LE(f.screen->finder().sampleCount(), f.screen->finder().sampleBound());

    f.choose(CFSettings::kDetuneKey, 6); // none
    f.choose(CFSettings::kTuningKey, 3); // Drop D
    EXPECT_EQ(f.screen->finder().tuningIndex(), 3u);
    f.clickTitle(0);
    EXPECT_EQ(f.title(0).text(), "D");
    EXPECT_EQ(f.screen->chordName(), "C / D");
}

TEST(CFMainController, LeftHandedTheNecksTurnAndTheLeftmostPortraitTitleIsString5) {
    FinderScreen f;
    f.choose(CFSettings::kLeftHandedKey, 1);
    EXPECT_TRUE(f.portrait().leftHanded());
    EXPECT_TRUE(f.landscape().leftHanded());
    f.tap(5, 1);
    BZStringTitle* leftmost = f.screen->portraitStringTitles()[0];
    for (BZStringTitle* title : f.screen->portraitStringTitles()) {
        EXPECT_LE(leftmost->x(), title->x());
    }
    EXPECT_EQ(leftmost->text(), "F") << "string 5 at fret 1";
    f.click(f.onScreen(*leftmost, leftmost->rect().center()));
    EXPECT_TRUE(f.screen->finder().isMuted(5));
    EXPECT_EQ(leftmost->text(), kX);
    // The finger stands under its title.
    EXPECT_NEAR(f.finger(5).geometry().center().x() + f.portrait().x(),
                leftmost->geometry().center().x(), 2);
    // Turned, the landscape titles stand beside the nut, now on the right.
    f.turn("Landscape Left");
    EXPECT_GT(f.screen->landscapeStringTitles()[0]->x(), f.landscape().geometry().right());
}

TEST(CFMainController, AShakeAsksToRemoveAllNoChangesNothingYesClearsTheFingersButNotTheMutes) {
    FinderScreen f;
    f.fret({-1, 3, 2, 0, 1, 0});
    f.menu("Shake");
    ASSERT_NE(f.alert(), nullptr);
    EXPECT_EQ(f.alert()->text(), "Take every finger off the neck?");
    f.menu("Shake");
    EXPECT_EQ(f.window.screen().findChildren<QMessageBox*>().size(), 1) << "one question";
    f.answer("No");
    EXPECT_EQ(f.alert(), nullptr);
    EXPECT_EQ(f.screen->chordName(), "C");
    EXPECT_EQ(f.screen->fingerCount(), 3);

    f.key(Qt::Key_Delete); // the same question from the keyboard
    ASSERT_NE(f.alert(), nullptr);
    f.answer("Yes");
    EXPECT_EQ(f.screen->fingerCount(), 0);
    for (unsigned s = 1; s < 6; ++s) {
        EXPECT_EQ(f.screen->finder().fret(s), 0u);
    }
    EXPECT_TRUE(f.screen->finder().isMuted(0)) << "the mutes stay";
    EXPECT_EQ(f.title(0).text(), kX);
    EXPECT_EQ(f.screen->chordName(), "A9sus4") << "the five open strings above the muted E";
}

TEST(CFMainController, AScreenThatGoesTakesItsOpenAlertAlong) {
    FinderScreen f;
    f.menu("Shake");
    QPointer<QMessageBox> box = f.alert();
    ASSERT_NE(box, nullptr);
    f.stack->popViewController(false);
    f.clock.advance(0.5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(box.isNull()) << "no answer can reach a screen that is gone";
}

TEST(CFMainController, TheLandscapeNeckShowsTheSameFingersAndTakesTheShakes) {
    FinderScreen f;
    f.tap(4, 1);
    f.turn("Landscape Left");
    ASSERT_TRUE(f.isLandscape());
    EXPECT_TRUE(f.landscape().isFirstResponder());
    EXPECT_TRUE(f.isOnNeck(f.finger(4)));
    f.tap(3, 2);
    EXPECT_EQ(f.screen->finder().fret(3), 2u);
    EXPECT_EQ(f.screen->portraitFretboard()->fingers().size(), 2u);
    EXPECT_EQ(f.titleTexts(true), names({"E", "A", "D", "A", "C", "E"}));
    f.clickTitle(0); // the landscape titles mute their own string
    EXPECT_TRUE(f.screen->finder().isMuted(0));
    f.menu("Shake");
    EXPECT_NE(f.alert(), nullptr);
    f.answer("No");
    f.turn("Portrait");
    EXPECT_FALSE(f.isLandscape());
    EXPECT_TRUE(f.portrait().isFirstResponder());
    // The wheel moves along the neck.
    const QPointF before = f.portrait().contentOffset();
    QWheelEvent wheel(QPointF(160, 300), f.viewport->mapToGlobal(QPointF(160, 300)), QPoint(),
                      QPoint(0, -240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.viewport, &wheel);
    EXPECT_GT(f.portrait().contentOffset().y(), before.y());
}

TEST(CFMainController, HoldingAFingerHalfASecondRemovesItAMoveCancelsAndAShortPressPlays) {
    FinderScreen f;
    f.fret({0, 3, 2, 0, 1, 0});
    f.letRingOut();
    // A short press plays the string and removes nothing.
    f.click(f.onFinger(1));
    EXPECT_EQ(f.render(), f.heard(1, 48));
    EXPECT_EQ(f.screen->finder().fret(1), 3u);
    f.letRingOut();

    // A press that moves neither removes nor plays until it ends.
    f.press(f.onFinger(2));
    EXPECT_FALSE(f.portrait().isScrollEnabled()) << "the neck holds still under a press";
    f.move(f.onFinger(2) + QPoint(6, 0));
    f.timers.advanceTo(1.0);
    EXPECT_EQ(f.screen->finder().fret(2), 2u);
    EXPECT_TRUE(FinderScreen::silent(f.render()));
    f.release(f.onFinger(2) + QPoint(6, 0));
    EXPECT_EQ(f.render(), f.heard(2, 52));
    EXPECT_TRUE(f.portrait().isScrollEnabled());
    f.letRingOut();

    // Held still: at 0.5 s the finger goes, flying up 120 points as it fades.
    const QRect where = f.finger(4).geometry();
    f.press(f.onFinger(4));
    f.timers.advanceTo(1.49);
    EXPECT_EQ(f.screen->finder().fret(4), 1u);
    f.timers.advanceTo(1.5);
    EXPECT_EQ(f.screen->finder().fret(4), 0u);
    EXPECT_EQ(f.screen->chordName(), "Cmaj7 / E");
    EXPECT_EQ(f.title(4).text(), "B");
    EXPECT_TRUE(f.title(4).isOpen());
    f.clock.advance(0.5);
    EXPECT_EQ(f.finger(4).geometry(), where.translated(0, -120));
    EXPECT_FALSE(f.finger(4).isVisible());
    EXPECT_EQ(f.screen->landscapeFingers()[4]->geometry().x(),
              std::lround(f.landscape().positionOfFinger(1)) - 16 - 120)
        << "the landscape finger flies towards the nut";
    f.release(f.cell(4, 1));
    EXPECT_TRUE(FinderScreen::silent(f.render())) << "a removal plays no string";

    // Where the finger was, the neck takes taps again.
    f.tap(4, 1);
    EXPECT_EQ(f.screen->finder().fret(4), 1u);
    EXPECT_TRUE(f.isOnNeck(f.finger(4)));
    EXPECT_DOUBLE_EQ(View::alpha(&f.finger(4)), 1.0);
    EXPECT_EQ(f.finger(4).geometry(), where);
}

TEST(CFMainController, AMutedStringsFingerCannotSoundButHoldingOrARightClickRemovesIt) {
    FinderScreen f;
    f.fret({-1, 3, 2, 0, 1, 0});
    f.clickTitle(2);
    f.letRingOut();
    f.click(f.onFinger(2));
    EXPECT_TRUE(FinderScreen::silent(f.render())) << "a short press on a muted finger";
    f.press(f.onFinger(2));
    f.timers.advanceTo(0.5);
    f.release(f.cell(2, 2));
    EXPECT_EQ(f.screen->finder().fret(2), 0u);
    EXPECT_TRUE(f.screen->finder().isMuted(2)) << "it stays muted";

    f.click(f.onFinger(1), Qt::RightButton);
    EXPECT_EQ(f.screen->finder().fret(1), 0u);
    EXPECT_EQ(f.screen->chordName(), "Am7");
}

TEST(CFMainController, SpaceStrumsTheSoundingStringsThickestFirst) {
    FinderScreen f;
    f.fret({-1, 3, 2, 0, -1, 0});
    f.letRingOut();
    f.key(Qt::Key_Space);
    EXPECT_EQ(f.render(), f.heard(1, 48)) << "at once the first sounding string alone";
    const fretkit::CHStringPlayer& player = f.screen->finder().player();
    std::vector<unsigned> order;
    for (int step = 1; step <= 6; ++step) {
        f.timers.advanceTo(step * CFMainController::kStrumInterval);
        f.render();
        for (unsigned s = 0; s < 6; ++s) {
            if (player.isSounding(s) && std::find(order.begin(), order.end(), s) == order.end()) {
                order.push_back(s);
            }
        }
    }
    EXPECT_EQ(order, (std::vector<unsigned>{1, 2, 3, 5})) << "the muted strings are left out";
    EXPECT_EQ(f.timers.activeCount(), 0u) << "the strum ends after the last string";
}

// The tour's own steps, played on the test's clocks: states are written down, not photographed.
class StepsOnTheClock : public TourSteps {
public:
    explicit StepsOnTheClock(FinderScreen& screen) : f_(screen) {}
    QStringList snapped;

    bool snap(const QString& state) override {
        snapped << state;
        return true;
    }
    bool reach(const std::function<bool()>& condition, const QString&) override {
        for (int frame = 0; frame < 300 && !condition(); ++frame) {
            f_.clock.advance(1.0 / 60.0);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        return condition();
    }
    void pause(int ms) override { f_.clock.advance(ms / 1000.0); }
    void tap(QWidget& widget, QPoint at) override {
        QTest::mouseClick(&widget, Qt::LeftButton, {}, at);
    }
    void drag(QWidget&, QPoint, QPoint, int) override {}
    void key(int) override {}
    ScreenWindow& window() override { return f_.window; }

private:
    FinderScreen& f_;
};

TEST(CFMainController, TheHintButtonShowsTheChordFindersPageOnce) {
    FinderScreen f;
    QAbstractButton& hint = *f.screen->hintButton();
    f.click(f.onScreen(hint, hint.rect().center()));
    f.click(f.onScreen(hint, hint.rect().center()));
    f.clock.advance(0.6);
    const auto curtains = f.window.screen().findChildren<QVHintCurtain*>();
    ASSERT_EQ(curtains.size(), 1);
    EXPECT_EQ(curtains[0]->title(), "Finding Chords");
    EXPECT_TRUE(curtains[0]->webView()->toPlainText().contains("C / E is C major with E"));
}

TEST(CFMainController, TheTourShowsEachStateAndLeavesTheNeckOpen) {
    FinderScreen f;
    StepsOnTheClock steps(f);
    ASSERT_TRUE(f.screen->walkTour(steps));
    EXPECT_EQ(steps.snapped,
              (QStringList{"c-major", "muted-string", "landscape", "hint", "remove-all"}));
    EXPECT_EQ(f.screen->chordName(), "Open strings");
    EXPECT_FALSE(f.isLandscape());
    EXPECT_EQ(f.alert(), nullptr);
}

} // namespace
