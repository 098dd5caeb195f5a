#include "BZSettingsController.h"
#include "SCContentView.h"
#include "SCImageButton.h"
#include "SCNoScalesFinger.h"
#include "ScalesTestSupport.h"
#include "foundation/Bundle.h"
#include "fretboard/BZBarButton.h"
#include "fretboard/BZLandscapeView.h"
#include "kit/QVHintCurtain.h"
#include "kit/QVListEditor.h"
#include "kit/QVSwitchTableViewCell.h"
#include "kit/QVTableView.h"
#include "kit/QVTableViewCell.h"
#include "support/TempDir.h"
#include "ui/DeviceEvents.h"
#include "ui/NavigationBar.h"
#include "ui/ScreenImage.h"
#include "ui/SegmentedControl.h"
#include "ui/Switch.h"
#include "ui/TableView.h"
#include "ui/WebView.h"

#include <gtest/gtest.h>

using fretkit::SCNotePlayer;
using fretkit::SCScale;
using fretkit::SCScaleSearchSettings;

namespace {

constexpr double kStep = 0.5; // seconds between strummed notes at the default speed
constexpr int kDropD = 3;

// The tags of the markers, in the order the strum lit them, until it stops: after each step of
// the timer a buffer is rendered, so that the note asked for starts, as the audio thread would.
std::vector<int> playStrum(ScalesScreen& t, int steps) {
    std::vector<int> order = t.lit(t.portrait());
    for (int step = 1; step <= steps && t.timers.activeCount() > 0; ++step) {
        t.render();
        t.clock.advance(0.05); // the halos lit so far dim
        t.timers.advanceTo(t.timers.now() + kStep);
        for (int tag : t.lit(t.portrait())) {
            order.push_back(tag);
        }
    }
    return order;
}

// Opens the settings with the bar's settings button; answers the row of the key.
QVTableViewCell* openSettingsAt(ScalesScreen& t, const std::string& key) {
    NavigationBar* bar = t.navigation->navigationBar();
    click(bar, bar->rightButtonRect().center());
    t.settle();
    NavigationController* settings = t.screen->settingsNavigationController();
    if (settings == nullptr) {
        return nullptr;
    }
    QVTableView* table =
        static_cast<BZSettingsController*>(settings->viewControllers().front().get())->tableView();
    for (int s = 0; s < table->numberOfSections(); ++s) {
        for (int r = 0; r < table->numberOfRows(s); ++r) {
            if (table->cellAt({s, r})->key() == key) {
                return table->cellAt({s, r});
            }
        }
    }
    return nullptr;
}

// Closes the settings with Done.
void closeSettings(ScalesScreen& t) {
    NavigationController* settings = t.screen->settingsNavigationController();
    click(settings->navigationBar(), settings->navigationBar()->rightButtonRect().center());
    t.settle();
    ASSERT_TRUE(waitUntil([&t] { return t.screen->settingsNavigationController() == nullptr; }));
}

// Chooses row `item` of the key's editor in the settings screen and closes the settings, as a
// user does with the settings button, the row, the item, the back button and Done.
void chooseSetting(ScalesScreen& t, const std::string& key, int item) {
    QVTableViewCell* row = openSettingsAt(t, key);
    ASSERT_NE(row, nullptr) << key;
    click(row, row->rect().center());
    t.settle();
    NavigationController* settings = t.screen->settingsNavigationController();
    auto* editor = dynamic_cast<QVListEditor*>(settings->topViewController());
    ASSERT_NE(editor, nullptr) << key;
    TableViewCell* choice = editor->tableView()->cellForRow({0, item});
    click(choice, choice->rect().center());
    click(settings->navigationBar(), settings->navigationBar()->leftButtonRect().center());
    t.settle();
    closeSettings(t);
}

std::vector<std::pair<unsigned, unsigned>> places(const SCScale& scale) {
    std::vector<std::pair<unsigned, unsigned>> found;
    for (const auto& note : scale.notes()) {
        found.emplace_back(note.string(), note.fret());
    }
    return found;
}

std::vector<std::pair<unsigned, unsigned>> places(ScalesScreen& t, BZFretboard& neck) {
    std::vector<std::pair<unsigned, unsigned>> found;
    for (SCFinger* marker : t.markers(neck)) {
        found.emplace_back(marker->string(), marker->fret());
    }
    return found;
}

std::vector<QString> titles(ScalesScreen& t) {
    std::vector<QString> found;
    for (SCFinger* marker : t.markers(t.portrait())) {
        found.push_back(marker->title());
    }
    return found;
}

std::vector<SCScale> search(ScalesScreen& t, unsigned root, unsigned type) {
    return t.screen->library().scalesForRoot(
        root, type, SCScaleSearchSettings::fromDefaults(ScalesScreen::defaults()));
}

} // namespace

TEST(ScalesScreen, APatternIsDrawnOnBothNecksWithRootsOnBlackAndScrolledToItsLowestFret) {
    ScalesScreen::defaults().setInteger(12, SCSettings::kRootIndexKey); // A
    ScalesScreen::defaults().setInteger(5, SCSettings::kTypeKey);       // Minor Pentatonic
    ScalesScreen t;
    t.click(*t.screen->nextButton());
    t.click(*t.screen->nextButton());
    t.settle();
    const SCScale expected = search(t, 12, 5).at(2);
    EXPECT_EQ(t.screen->portraitScaleName()->text(), "A Minor Pentatonic");
    EXPECT_EQ(t.screen->landscapeScaleName()->text(), "A Minor Pentatonic");
    EXPECT_EQ(t.screen->portraitPatternLabel()->text(),
              QString::fromUtf8("Pattern 3 of 9 \u00b7 frets 5\u20138"));
    for (BZFretboard* neck : {&t.portrait(), &t.landscape()}) {
        EXPECT_EQ(places(t, *neck), places(expected));
        for (SCFinger* marker : t.markers(*neck)) {
            const auto& note = expected.notes()[static_cast<std::size_t>(marker->tag())];
            EXPECT_EQ(marker->backgroundStyle(),
                      note.isRoot() ? BZFinger::Black : BZFinger::Yellow);
            EXPECT_EQ(marker->title(), QString::number(note.finger()));
        }
    }
    // Fret 5's wire 17 points below the top of the upright neck; 17 points inside the left of the
    // lying one.
    EXPECT_EQ(t.portrait().contentOffset().y(), t.portrait().positionOfFret(4) - 17);
    EXPECT_EQ(t.landscape().contentOffset().x(), t.landscape().positionOfFret(4) - 17);
    EXPECT_EQ(t.portrait().nutOffset(), 16.0f);
    EXPECT_EQ(t.portrait().fretWidth(), 59.0f);
    EXPECT_EQ(t.landscape().fretWidth(), 95.0f);
}

TEST(ScalesScreen, WithNoPlayablePatternBothNecksShowOnlyTheCapsuleAndAStrumDoesNothing) {
    ScalesScreen::defaults().setInteger(kDropD, SCSettings::kTuningKey); // E Major: none
    ScalesScreen t;
    ASSERT_EQ(t.screen->scaleCount(), 0);
    for (BZFretboard* neck : {&t.portrait(), &t.landscape()}) {
        ASSERT_EQ(neck->fingers().size(), 1u);
        auto* capsule = dynamic_cast<SCNoScalesFinger*>(neck->fingers().front().get());
        ASSERT_NE(capsule, nullptr);
        EXPECT_EQ(capsule->title(), "No playable scales");
        EXPECT_EQ(capsule->height(), 30);
        EXPECT_GT(capsule->width(), 150); // sized to its title, not to a finger
        // The middle of the neck in view, 9 points away from the side of the fret numbers.
        const QPointF middle = neck->contentOffset() + QPointF(neck->width(), neck->height()) / 2.0;
        const QPointF nudge = neck->isHorizontal() ? QPointF(0, -9) : QPointF(9, 0);
        EXPECT_LE((QRectF(capsule->geometry()).center() - (middle + nudge)).manhattanLength(), 1.0);
    }
    for (QAbstractButton* button :
         {static_cast<QAbstractButton*>(t.screen->previousButton()),
          static_cast<QAbstractButton*>(t.screen->nextButton()),
          static_cast<QAbstractButton*>(t.screen->landscapeLeftButton()),
          static_cast<QAbstractButton*>(t.screen->landscapeRightButton())}) {
        EXPECT_FALSE(button->isEnabled());
    }
    EXPECT_EQ(t.screen->portraitPatternLabel()->text(), "No pattern in Drop D tuning");
    t.strumPortrait(true);
    QTest::keyClick(t.screen->view(), Qt::Key_Space);
    EXPECT_EQ(t.timers.activeCount(), 0u);
    EXPECT_TRUE(t.screen->scalePlayer().isIdle());
    EXPECT_FALSE(t.render());
}

// The choice may lose its patterns while a strum runs (a tuning chosen meanwhile): the strum of
// the pattern no longer shown stops, and its note asked for last is not played.
TEST(ScalesScreen, AStrumInProgressStopsWhenTheChoiceLosesItsPatterns) {
    ScalesScreen t;
    t.strumPortrait(true);
    t.render();
    t.timers.advanceTo(kStep);
    ASSERT_EQ(t.timers.activeCount(), 1u);
    ASSERT_NE(t.screen->scalePlayer().player().nextPlaybackNoteIndex(), SCNotePlayer::kNone);
    ScalesScreen::defaults().setInteger(kDropD, SCSettings::kTuningKey);
    t.screen->settingDidChange(SCSettings::kTuningKey);
    ASSERT_EQ(t.screen->scaleCount(), 0);
    EXPECT_EQ(t.timers.activeCount(), 0u);
    EXPECT_TRUE(t.screen->scalePlayer().isIdle());
    EXPECT_FALSE(t.render());
}

// A touch asks for the note at once; while its sound is not loaded the render is silent and the
// request waits, and the note starts as soon as the sound is there. Holding the render lock
// keeps the loader from handing over sounds, so a touch right after a pattern change (on the
// pattern's last note, loaded last) comes before its sound.
TEST(ScalesScreen, ATouchedMarkerPlaysAsSoonAsItsSoundIsLoaded) {
    ScalesScreen t;
    QVRenderLock& renderLock = t.screen->scalePlayer().player().renderLock();
    bool caughtBeforeLoading = false;
    for (int attempt = 0; attempt < 20 && !caughtBeforeLoading; ++attempt) {
        QAbstractButton* step = attempt % 2 == 0
                                    ? static_cast<QAbstractButton*>(t.screen->nextButton())
                                    : t.screen->previousButton();
        t.click(*step);
        const int last = static_cast<int>(t.markers(t.portrait()).size()) - 1;
        std::unique_lock lock(renderLock);
        t.phone.click(t.centreOf(*t.marker(t.portrait(), last)));
        EXPECT_EQ(t.lit(t.portrait()), std::vector<int>{last});
        const bool played = t.render(true);
        EXPECT_EQ(t.sounding(), static_cast<std::uint32_t>(last));
        lock.unlock();
        caughtBeforeLoading = !played;
        t.screen->scalePlayer().waitUntilLoaded();
        EXPECT_TRUE(t.render());
        EXPECT_GT(t.lastPeak, 1000);
        EXPECT_EQ(t.sounding(), static_cast<std::uint32_t>(last));
        t.clock.advance(2.5);
    }
    EXPECT_TRUE(caughtBeforeLoading) << "every touch came after its sound was loaded";
}

// C Major 6 arpeggio, fifth pattern: 3 5 6 R 3 5 6 R, so the range from the first root is
// {3, 5}. A stroke from the thin strings to the thick ones that turns back plays down to the
// root and back up, a note every 0.25^0.5 s, then stops.
TEST(ScalesScreen, AStrumThatTurnsBackPlaysDownToTheRootAndUpAgainAtTheTimersPace) {
    ScalesScreen::defaults().setInteger(0, SCSettings::kRootIndexKey);
    ScalesScreen::defaults().setInteger(3, SCSettings::kGroupKey);
    ScalesScreen::defaults().setInteger(91, SCSettings::kTypeKey);
    ScalesScreen t;
    ASSERT_EQ(t.screen->portraitScaleName()->text(), "C Major 6 Arpeggio");
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(t.screen->view(), Qt::Key_Right);
    }
    t.settle();
    ASSERT_EQ(t.markers(t.portrait()).size(), 8u);
    ASSERT_EQ(t.marker(t.portrait(), 3)->backgroundStyle(), BZFinger::Black);
    t.screen->scalePlayer().waitUntilLoaded();

    BZFretboard& neck = t.portrait();
    const double y = neck.contentOffset().y() + 320;
    t.phone.stroke({t.onNeck(neck, {232, y}), t.onNeck(neck, {20, y}), t.onNeck(neck, {60, y})}, 4);
    EXPECT_EQ(t.lit(neck), std::vector<int>{7});
    t.render();
    t.clock.advance(0.05);
    t.timers.advanceTo(kStep - 0.01);
    EXPECT_EQ(t.lit(neck), std::vector<int>{}) << "the next note waits for the timer";
    t.timers.advanceTo(kStep);
    EXPECT_EQ(t.lit(neck), std::vector<int>{6});
    const std::vector<int> rest = playStrum(t, 20);
    EXPECT_EQ(rest, (std::vector<int>{6, 5, 4, 3, 4, 5, 6, 7}));
    EXPECT_EQ(t.timers.activeCount(), 0u);
    // The step after the last note finds the end of the range and stops the timer.
    EXPECT_EQ(t.timers.now(), 9 * kStep);
}

TEST(ScalesScreen, TheKeysStepThroughPatternsAndPlayUpDownOrThereAndBack) {
    ScalesScreen t; // E Major, 8 patterns
    QWidget* view = t.screen->view();
    EXPECT_FALSE(t.screen->previousButton()->isEnabled());
    EXPECT_TRUE(t.screen->nextButton()->isEnabled());
    QTest::keyClick(view, Qt::Key_Left);
    EXPECT_EQ(t.screen->currentScaleIndex(), 0);
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(view, Qt::Key_Right);
    }
    EXPECT_EQ(t.screen->currentScaleIndex(), 7);
    EXPECT_TRUE(t.screen->previousButton()->isEnabled());
    EXPECT_FALSE(t.screen->nextButton()->isEnabled());
    QTest::keyClick(view, Qt::Key_Left);
    EXPECT_EQ(t.screen->currentScaleIndex(), 6);
    t.settle();

    const auto markers = t.markers(t.portrait());
    int firstRoot = -1;
    for (SCFinger* marker : markers) {
        if (firstRoot < 0 && marker->backgroundStyle() == BZFinger::Black) {
            firstRoot = marker->tag();
        }
    }
    const int last = static_cast<int>(markers.size()) - 1;
    QTest::keyClick(view, Qt::Key_Up);
    EXPECT_EQ(t.lit(t.portrait()), std::vector<int>{firstRoot});
    EXPECT_EQ(playStrum(t, 40).back(), last);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(t.lit(t.portrait()), std::vector<int>{last});
    EXPECT_EQ(playStrum(t, 40).back(), firstRoot);
    QTest::keyClick(view, Qt::Key_Space);
    const std::vector<int> thereAndBack = playStrum(t, 40);
    EXPECT_EQ(thereAndBack.front(), firstRoot);
    EXPECT_EQ(thereAndBack.back(), firstRoot);
    EXPECT_EQ(thereAndBack.size(), 2u * static_cast<std::size_t>(last - firstRoot) + 1);
}

// A scale type without a root (made up for the test, no bundled type lacks one): a strum from
// the first root keeps the range of the pattern strummed before.
TEST(ScalesScreen, AStrumOnAPatternWithoutRootsKeepsThePreviousRange) {
    TempDir dir;
    dir.write("SCNotes.plist", "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><dict>"
                               "<key>letter</key><integer>0</integer><key>accidentals</key>"
                               "<integer>0</integer></dict></array></plist>");
    dir.write("SCScales.plist",
              "<?xml version=\"1.0\"?><plist version=\"1.0\"><array>"
              "<dict><key>name</key><string>Major Pentatonic</string><key>intervals</key><array>"
              "<integer>0</integer><integer>2</integer><integer>4</integer><integer>7</integer>"
              "<integer>9</integer></array></dict>"
              "<dict><key>name</key><string>Rootless</string><key>intervals</key><array>"
              "<integer>2</integer><integer>4</integer><integer>7</integer><integer>9</integer>"
              "<integer>11</integer></array></dict></array></plist>");
    dir.write("BZTunings.plist", "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><dict>"
                                 "<key>name</key><string>Standard</string><key>notes</key><array>"
                                 "<integer>64</integer><integer>59</integer><integer>55</integer>"
                                 "<integer>50</integer><integer>45</integer><integer>40</integer>"
                                 "</array></dict></array></plist>");
    const fretkit::Bundle bundle(dir.path().string());
    ScalesScreen t(&bundle);
    ASSERT_EQ(t.screen->portraitScaleName()->text(), "C Major Pentatonic");
    int firstRoot = -1;
    for (SCFinger* marker : t.markers(t.portrait())) {
        if (firstRoot < 0 && marker->backgroundStyle() == BZFinger::Black) {
            firstRoot = marker->tag();
        }
    }
    ASSERT_GT(firstRoot, 0);
    const auto range = static_cast<int>(t.markers(t.portrait()).size()) - firstRoot;
    t.strumPortrait(true);
    EXPECT_EQ(t.lit(t.portrait()), std::vector<int>{firstRoot});

    // The next type, one row further on the wheel, tapped below the band.
    t.click(*t.screen->nameButton());
    t.settle();
    WheelPicker& picker = *t.screen->picker();
    const QRect wheel = picker.componentRect(1);
    t.phone.click(
        picker.mapTo(&t.phone.screen(),
                     QPoint(wheel.center().x(), picker.height() / 2 + WheelPicker::kRowHeight)));
    t.settle();
    ASSERT_EQ(t.screen->portraitScaleName()->text(), "C Rootless");
    const int count = static_cast<int>(t.markers(t.portrait()).size());
    for (SCFinger* marker : t.markers(t.portrait())) {
        ASSERT_EQ(marker->backgroundStyle(), BZFinger::Yellow);
    }
    t.clock.advance(2.5);
    t.screen->strum(1);
    const std::vector<int> order = playStrum(t, 40);
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order.front(), firstRoot);
    EXPECT_EQ(order.back(), std::min(firstRoot + range, count) - 1);
}

TEST(ScalesScreen, ANewGroupSelectsItsFirstTypeAndThePickerShrinksTheNeckAboveIt) {
    ScalesScreen t;
    t.click(*t.screen->nameButton());
    t.settle();
    ASSERT_TRUE(t.screen->isPickerVisible());
    // The neck shrinks into the room above the panel and the bar's button becomes Done.
    const int room = SCMainController::kContentHeight -
                     (SCMainController::kPickerPanelHeight - SCMainController::kNameHeight);
    EXPECT_EQ(t.screen->fretboardHost()->height(), room);
    EXPECT_EQ(t.screen->scalePickerView()->geometry().bottom() + 1, t.screen->view()->height());
    EXPECT_EQ(t.screen->navigationItem().rightButton->title, "Done");

    SegmentedControl& groups = *t.screen->groupControl();
    t.phone.click(groups.mapTo(&t.phone.screen(), groups.segmentRect(3).center()));
    EXPECT_EQ(t.screen->currentGroupIndex(), 3u);
    EXPECT_EQ(t.screen->picker()->selectedRow(1), 0);
    EXPECT_EQ(ScalesScreen::defaults().integerForKey(SCSettings::kGroupKey), 3);
    EXPECT_EQ(ScalesScreen::defaults().integerForKey(SCSettings::kTypeKey), 85);
    EXPECT_EQ(t.screen->portraitScaleName()->text(), "E Major Arpeggio");

    // The root wheel turned by a drag, from E up to A.
    WheelPicker& picker = *t.screen->picker();
    const QPoint at = picker.mapTo(
        &t.phone.screen(), QPoint(picker.componentRect(0).center().x(), picker.height() / 2));
    t.phone.drag(at, at - QPoint(0, 7 * WheelPicker::kRowHeight), 8);
    t.settle();
    EXPECT_EQ(ScalesScreen::defaults().integerForKey(SCSettings::kRootIndexKey), 12);
    EXPECT_EQ(t.screen->portraitScaleName()->text(), "A Major Arpeggio");

    // The shrunk neck still plays what is touched on it.
    SCFinger* marker = t.markers(t.portrait()).back();
    t.phone.click(t.centreOf(*marker));
    EXPECT_EQ(t.lit(t.portrait()), std::vector<int>{marker->tag()});

    NavigationBar* bar = t.navigation->navigationBar();
    click(bar, bar->rightButtonRect().center());
    t.settle();
    EXPECT_FALSE(t.screen->isPickerVisible());
    EXPECT_EQ(t.screen->fretboardHost()->height(), SCMainController::kContentHeight);
    EXPECT_EQ(t.screen->navigationItem().rightButton->image, "BZMainController_settings");
}

TEST(ScalesScreen, LabelsAndTheHandRedrawTheShownPatternWithoutASearch) {
    ScalesScreen t; // E Major
    t.click(*t.screen->nextButton());
    t.click(*t.screen->nextButton());
    const SCScale shown = search(t, 5, 0).at(2);
    chooseSetting(t, SCSettings::kFingerLabelsKey, 1);
    EXPECT_EQ(t.screen->currentScaleIndex(), 2);
    std::vector<QString> names;
    std::vector<QString> intervals;
    for (const auto& note : shown.notes()) {
        names.push_back(QString::fromStdString(note.name()));
        intervals.push_back(QString::fromStdString(note.intervalName()));
    }
    EXPECT_EQ(titles(t), names);
    chooseSetting(t, SCSettings::kFingerLabelsKey, 2);
    EXPECT_EQ(titles(t), intervals);
    EXPECT_EQ(t.screen->currentScaleIndex(), 2);

    chooseSetting(t, SCSettings::kLeftHandedKey, 1);
    EXPECT_EQ(t.screen->currentScaleIndex(), 2);
    EXPECT_TRUE(t.portrait().leftHanded());
    EXPECT_TRUE(t.landscape().leftHanded());
    EXPECT_EQ(places(t, t.landscape()), places(shown));
    // On the mirrored lying neck, left leads away from the nut.
    BZBarButton& left = *t.screen->landscapeLeftButton();
    left.click();
    EXPECT_EQ(t.screen->currentScaleIndex(), 3);
    for (int i = 0; i < 3; ++i) {
        t.click(*t.screen->previousButton());
    }
    ASSERT_EQ(t.screen->currentScaleIndex(), 0);
    EXPECT_TRUE(left.isEnabled());
    EXPECT_FALSE(t.screen->landscapeRightButton()->isEnabled());
}

TEST(ScalesScreen, TuningDetuneAndStretchSearchAgainAndShowTheFirstPattern) {
    ScalesScreen t; // E Major in standard tuning
    const struct {
        const char* key;
        int item;
    } changes[] = {{SCSettings::kTuningKey, 1}, // Half Step Down
                   {SCSettings::kDetuneKey, 7}, // +1 semitone
                   {SCSettings::kAllowStretchedKey, 1}};
    for (const auto& change : changes) {
        SCOPED_TRACE(change.key);
        t.click(*t.screen->nextButton());
        ASSERT_EQ(t.screen->currentScaleIndex(), 1);
        chooseSetting(t, change.key, change.item);
        const std::vector<SCScale> expected = search(t, 5, 0);
        EXPECT_EQ(t.screen->currentScaleIndex(), 0);
        EXPECT_EQ(t.screen->scaleCount(), static_cast<int>(expected.size()));
        EXPECT_EQ(places(t, t.portrait()), places(expected.at(0)));
    }
    EXPECT_EQ(ScalesScreen::defaults().integerForKey(SCSettings::kTuningKey), 1);
    EXPECT_EQ(ScalesScreen::defaults().integerForKey(SCSettings::kDetuneKey), 1);
    EXPECT_TRUE(ScalesScreen::defaults().boolForKey(SCSettings::kAllowStretchedKey));
}

TEST(ScalesScreen, TheTuningRowNamesTheTuningAndItsListSpellsEachOne) {
    ScalesScreen::defaults().setInteger(kDropD, SCSettings::kTuningKey);
    ScalesScreen t;
    QVTableViewCell* row = openSettingsAt(t, SCSettings::kTuningKey);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->detailTextLabel()->text(), "Drop D");
    click(row, row->rect().center());
    t.settle();
    auto* editor =
        dynamic_cast<QVListEditor*>(t.screen->settingsNavigationController()->topViewController());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->selectedIndex(), static_cast<unsigned>(kDropD));
    TableViewCell* dropD = editor->tableView()->cellForRow({0, kDropD});
    EXPECT_EQ(dropD->textLabel()->text(), "Drop D");
    EXPECT_EQ(dropD->detailTextLabel()->text(), "D A D G B E");
}

// A switch row stores at once: the next strum plays every note of the pattern, not only those
// from the first root.
TEST(ScalesScreen, PlayAllNotesTakesEffectWithTheNextStrum) {
    ScalesScreen::defaults().setInteger(12, SCSettings::kRootIndexKey); // A
    ScalesScreen::defaults().setInteger(5, SCSettings::kTypeKey);       // Minor Pentatonic
    ScalesScreen t; // the first pattern starts with two notes below the root
    t.strumPortrait(true);
    const std::vector<int> fromRoot = t.lit(t.portrait());
    ASSERT_EQ(fromRoot.size(), 1u);
    ASSERT_GT(fromRoot.front(), 0);
    auto* row =
        dynamic_cast<QVSwitchTableViewCell*>(openSettingsAt(t, SCSettings::kPlayAllNotesKey));
    ASSERT_NE(row, nullptr);
    click(row->button, row->button->rect().center());
    EXPECT_TRUE(ScalesScreen::defaults().boolForKey(SCSettings::kPlayAllNotesKey));
    closeSettings(t);
    t.clock.advance(2.5);
    t.strumPortrait(true);
    EXPECT_EQ(t.lit(t.portrait()), std::vector<int>{0});
}

TEST(ScalesScreen, TheLandscapeFaceShowsThePatternAndItsArrowsStep) {
    ScalesScreen t;
    DeviceEvents::setOrientation(DeviceEvents::LandscapeRight);
    t.settle();
    ASSERT_TRUE(t.screen->landscapeView()->isShown());
    EXPECT_EQ(places(t, t.landscape()), places(t, t.portrait()));
    EXPECT_FALSE(t.screen->landscapeLeftButton()->isEnabled());
    t.phone.click(t.screen->landscapeView()
                      ->mapPageToScreen(t.screen->landscapeRightButton()->mapTo(
                          t.screen->landscapeView()->page(), QPointF(20, 13)))
                      .toPoint());
    EXPECT_EQ(t.screen->currentScaleIndex(), 1);
    QTest::keyClick(t.screen->view(), Qt::Key_Left);
    EXPECT_EQ(t.screen->currentScaleIndex(), 0);
    // A touch on a marker of the lying neck plays it.
    SCFinger* marker = t.marker(t.landscape(), 2);
    t.phone.click(t.centreOf(*marker));
    EXPECT_EQ(t.lit(t.landscape()), std::vector<int>{2});
    EXPECT_EQ(t.screen->scalePlayer().player().nextPlaybackNoteIndex(), 2u);
    DeviceEvents::setOrientation(DeviceEvents::Portrait);
    t.settle();
    EXPECT_FALSE(t.screen->landscapeView()->isShown());
}

TEST(ScalesScreen, TheHintButtonRaisesTheCurtainWithTheAuthoredPage) {
    ScalesScreen t;
    t.click(*t.screen->hintButton());
    QVHintCurtain* curtain = t.screen->hintCurtain();
    ASSERT_NE(curtain, nullptr);
    EXPECT_EQ(curtain->identifier(), "SCHint");
    EXPECT_EQ(curtain->title(), "Scale Patterns");
    EXPECT_FALSE(curtain->hasDontShowAgainButton());
    EXPECT_EQ(curtain->transitionStyle(), 1u);
    t.settle();
    EXPECT_EQ(curtain->view()->y(), 20);
    EXPECT_TRUE(curtain->webView()->toPlainText().contains(QStringLiteral("Reading a pattern")));
    // On a screen of scale 2 the page made for it, with its double-size pictures.
    NavigationBar& bar = *curtain->bar();
    click(&bar, bar.rightButtonRect().center());
    t.settle();
    ASSERT_TRUE(waitUntil([&t] { return t.screen->hintCurtain() == nullptr; }));
    ScreenImage::setScale(2);
    t.click(*t.screen->hintButton());
    ScreenImage::setScale(1);
    ASSERT_NE(t.screen->hintCurtain(), nullptr);
    EXPECT_EQ(t.screen->hintCurtain()->identifier(), "SCHint@2x");
    EXPECT_TRUE(t.screen->hintCurtain()->webView()->toHtml().contains(QStringLiteral("@2x.png")));
}

TEST(ScalesScreen, AStrokeThatBeginsBesideTheNeckStrumsItToo) {
    ScalesScreen t;
    SCContentView& room = *t.screen->portraitContentView();
    const int last = static_cast<int>(t.markers(t.portrait()).size()) - 1;
    const QPoint from = room.mapTo(&t.phone.screen(), QPoint(300, 300));
    t.phone.drag(from, from - QPoint(290, 0), 4);
    EXPECT_EQ(t.lit(t.portrait()), std::vector<int>{last});
    ASSERT_EQ(t.timers.activeCount(), 1u);
    // A touch on a marker ends the strum and plays the marker's note instead.
    t.clock.advance(0.05);
    t.phone.click(t.centreOf(*t.marker(t.portrait(), 0)));
    EXPECT_EQ(t.lit(t.portrait()), std::vector<int>{0});
    EXPECT_EQ(t.timers.activeCount(), 0u);
}

// Both necks are drawn through graphics scenes (the upright one to shrink above the picker, the
// lying one to turn): a lit marker's halo must still show there while it fades.
TEST(ScalesScreen, ALitMarkerGlowsOnBothNecksWhileItsHaloFades) {
    ScalesScreen t;
    const auto glow = [&t](const QImage& picture, QPoint centre) {
        double sum = 0.0;
        for (int dy = -26; dy <= 26; ++dy) {
            for (int dx = -26; dx <= 26; ++dx) {
                const double r = std::hypot(dx, dy);
                if (r >= 19.0 && r <= 26.0) {
                    sum += qGray(picture.pixel(centre + QPoint(dx, dy)));
                }
            }
        }
        return sum;
    };
    for (const auto orientation : {DeviceEvents::Portrait, DeviceEvents::LandscapeLeft}) {
        DeviceEvents::setOrientation(orientation);
        t.settle();
        BZFretboard& neck = orientation == DeviceEvents::Portrait ? t.portrait() : t.landscape();
        SCFinger* marker = t.marker(neck, 2);
        const QPoint centre = t.centreOf(*marker);
        const QImage before = t.phone.window().snapshot();
        // The test clock's first frame after Qt's animation driver restarts jumps by the real
        // time that passed: a fade already running elsewhere keeps the driver going.
        t.phone.click(t.centreOf(*t.markers(neck).back()));
        t.clock.advance(0.05);
        t.phone.click(centre);
        t.clock.advance(0.4); // part way through the fade
        ASSERT_GT(marker->haloOpacity(), 0.2);
        ASSERT_LT(marker->haloOpacity(), 0.8);
        const QImage after = t.phone.window().snapshot();
        EXPECT_GT(glow(after, centre), glow(before, centre) * 1.1) << orientation;
        t.clock.advance(2.0);
    }
    DeviceEvents::setOrientation(DeviceEvents::Portrait);
}
