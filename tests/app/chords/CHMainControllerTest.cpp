#include "CHStepButton.h"
#include "ChordsTestSupport.h"
#include "fretboard/BZBarButton.h"
#include "fretboard/BZLandscapeView.h"
#include "fretboard/BZString.h"
#include "fretboard/BZStringTitle.h"

#include <QLabel>
#include <gtest/gtest.h>

using namespace chords_test;
using Strings = std::vector<unsigned>;

namespace {

const QString kMuted(QChar(0x2715));

QStringList titleTexts(const std::array<BZStringTitle*, 6>& titles) {
    QStringList texts;
    for (const BZStringTitle* title : titles) {
        texts << title->text();
    }
    return texts;
}

// A row of a picker column `rows` rows above (negative) or below the band, as a tap finds it.
QPoint pickerRow(ChordsScreen& s, int column, int rows) {
    const WheelPicker& picker = *s.screen().picker();
    return s.at(picker, QPointF(picker.componentRect(column).center().x(),
                                WheelPicker::kHeight / 2.0 + rows * WheelPicker::kRowHeight));
}

QPoint plate(ChordsScreen& s) {
    return s.at(*s.screen().chordNameView(), CHChordNameView::plateRect().center());
}

// The bar button's middle on the turned landscape face.
QPoint onFace(ChordsScreen& s, const QWidget& button) {
    const BZLandscapeView& face = *s.screen().landscapeView();
    return face.mapPageToScreen(button.mapTo(face.page(), QRectF(button.rect()).center()))
        .toPoint();
}

std::int64_t stored(const char* key) {
    return fretkit::UserDefaults::standard().integerForKey(key);
}

} // namespace

TEST(CHMainController, ThePickerChoosesByTapsAndAnotherFamilyStartsAtItsFirstVariant) {
    ChordsScreen s;
    CHMainController& screen = s.screen();
    WheelPicker& picker = *screen.picker();
    EXPECT_EQ(picker.componentRect(0).width(), 48);
    EXPECT_EQ(picker.componentRect(1).width(), 90);
    EXPECT_EQ(picker.componentRect(2).width(), 146);
    EXPECT_EQ(picker.selectedRow(0), 5); // C among Ab A Bb B Cb C ...
    s.click(plate(s));
    ASSERT_TRUE(screen.isPickerVisible());

    s.click(pickerRow(s, 2, 1)); // the second major variant
    EXPECT_EQ(screen.chordName(), QStringLiteral("C Maj 7"));
    EXPECT_EQ(stored(CHSettings::kVariantKey), 1);
    s.click(pickerRow(s, 1, 0)); // the family already chosen: nothing changes
    EXPECT_EQ(screen.choice().variant(), 1u);
    EXPECT_EQ(picker.selectedRow(2), 1);
    s.click(pickerRow(s, 1, 1)); // Minor: its first variant
    EXPECT_EQ(screen.chordName(), QStringLiteral("C Min triad"));
    EXPECT_EQ(stored(CHSettings::kVariantKey), kMinorTriad);
    EXPECT_EQ(picker.selectedRow(2), 0);
    s.click(pickerRow(s, 0, 2)); // two rows on: Db
    EXPECT_EQ(screen.chordName(), QStringLiteral("Db Min triad"));
    EXPECT_EQ(stored(CHSettings::kRootKey), 9);
}

TEST(CHMainController, StepButtonsAndKeysGoThroughTheShapesAndStopAtBothEnds) {
    {
        ChordsScreen s;
        CHMainController& screen = s.screen();
        CHStepButton& previous = *screen.chordNameView()->previousButton();
        CHStepButton& next = *screen.chordNameView()->nextButton();
        BZBarButton& left = *screen.landscapeView()->leftButton();
        BZBarButton& right = *screen.landscapeView()->rightButton();
        ASSERT_EQ(screen.shapeCount(), 3);
        EXPECT_FALSE(previous.isEnabled());
        EXPECT_TRUE(next.isEnabled());
        s.click(next);
        s.click(next);
        s.click(next); // disabled at the last: stays
        EXPECT_EQ(screen.currentChordIndex(), 2u);
        EXPECT_TRUE(previous.isEnabled());
        EXPECT_FALSE(next.isEnabled());
        EXPECT_TRUE(left.isEnabled());
        EXPECT_FALSE(right.isEnabled());
        s.key(Qt::Key_Left);
        s.key(Qt::Key_Left);
        EXPECT_EQ(screen.currentChordIndex(), 0u);

        // Left-handed, the landscape arrows swap: the left one goes on.
        s.set(CHSettings::kLeftHandedKey, true);
        EXPECT_FALSE(right.isEnabled());
        EXPECT_TRUE(left.isEnabled());
        s.turn("Landscape Left");
        s.click(onFace(s, left));
        EXPECT_EQ(screen.currentChordIndex(), 1u);
        s.key(Qt::Key_Left); // the keys follow the arrows on the face
        EXPECT_EQ(screen.currentChordIndex(), 2u);
        s.click(onFace(s, right));
        EXPECT_EQ(screen.currentChordIndex(), 1u);
    }
    ChordsScreen one(E, kMinorTriad);
    EXPECT_EQ(one.screen().shapeCount(), 1);
    EXPECT_FALSE(one.screen().chordNameView()->previousButton()->isEnabled());
    EXPECT_FALSE(one.screen().chordNameView()->nextButton()->isEnabled());
    EXPECT_FALSE(one.screen().landscapeView()->leftButton()->isEnabled());
    EXPECT_FALSE(one.screen().landscapeView()->rightButton()->isEnabled());
}

TEST(CHMainController, TitlesNameTheStringsMarkRootAndOpenCrossTheMutedAndFollowTheHand) {
    ChordsScreen s; // open C: x 3 2 0 1 0
    CHMainController& screen = s.screen();
    const auto& titles = screen.stringTitles();
    EXPECT_EQ(titleTexts(titles), (QStringList{kMuted, "C", "E", "G", "C", "E"}));
    for (unsigned i = 0; i < 6; ++i) {
        EXPECT_EQ(titles[i]->isRoot(), i == 1) << i;
        EXPECT_EQ(titles[i]->isOpen(), i == 3 || i == 5) << i;
    }
    EXPECT_TRUE(screen.portraitFretboardView()->contentView()->strings()[0]->muted());
    EXPECT_TRUE(screen.landscapeFretboardView()->contentView()->strings()[0]->muted());

    s.set(CHSettings::kIntervalsKey, true);
    EXPECT_EQ(titleTexts(titles), (QStringList{kMuted, "R", "3", "5", "R", "3"}));
    s.set(CHSettings::kLeftHandedKey, true);
    // String 0 now lies at the right: its title is the sixth.
    EXPECT_EQ(titleTexts(titles), (QStringList{"3", "R", "5", "3", "R", kMuted}));
    EXPECT_TRUE(titles[4]->isRoot());
    EXPECT_FALSE(titles[5]->isRoot());
    EXPECT_EQ(titleTexts(screen.landscapeStringTitles()),
              (QStringList{kMuted, "R", "3", "5", "R", "3"}));
}

TEST(CHMainController, APluckPlaysItsStringOfTheShapeAndReachesOnlyTheFingersHoldingIt) {
    ChordsScreen s;
    CHMainController& screen = s.screen();
    const BZFretboard& neck = *screen.portraitFretboardView();
    s.click(s.string(neck, 0, 4)); // muted: the neck reports nothing
    EXPECT_EQ(s.sounding(), Strings{});
    s.click(s.string(neck, 2, 4)); // the fret touched does not matter: the shape's E sounds
    EXPECT_EQ(s.sounding(), Strings{2});
    for (const auto* fingers : {&screen.portraitFingerViews(), &screen.landscapeFingerViews()}) {
        for (unsigned f = 0; f < 5; ++f) {
            for (unsigned string = 0; string < 6; ++string) {
                EXPECT_EQ((*fingers)[f]->halo(static_cast<int>(string)) != nullptr,
                          f == 2 && string == 2)
                    << "finger " << f << ", string " << string;
            }
        }
    }
    // A drag across all six strings plucks the five that sound; a new shape stops them all in
    // the very next buffer.
    s.drag(s.string(neck, 0, 5) - QPoint(25, 0), s.string(neck, 5, 5) + QPoint(25, 0));
    EXPECT_EQ(s.sounding(), (Strings{1, 2, 3, 4, 5}));
    s.click(*screen.chordNameView()->nextButton());
    screen.player().waitUntilLoaded();
    const std::vector<std::int16_t> next = s.render();
    EXPECT_TRUE(std::all_of(next.begin(), next.end(), [](std::int16_t v) { return v == 0; }));
    EXPECT_EQ(s.sounding(), Strings{});
}

TEST(CHMainController, StrokesBesideTheNeckAndSpaceStrumTheShapeFromTheThickestString) {
    ChordsScreen s;
    CHMainController& screen = s.screen();
    const BZFretboard& neck = *screen.portraitFretboardView();
    const QPoint start = s.string(neck, 0, 4);
    s.drag(QPoint(4, start.y()), QPoint(316, start.y() + 10)); // from the screen's edge
    EXPECT_EQ(s.sounding(), (Strings{1, 2, 3, 4, 5}));
    s.click(*screen.chordNameView()->nextButton()); // silence: the barre at 3, x 3 5 5 5 3
    std::vector<int> firstBuffer(6, -1);
    s.key(Qt::Key_Space);
    for (int buffer = 0; buffer < 400 && firstBuffer[5] < 0; ++buffer) {
        QTest::qWait(2); // the strum's later strings come from the event loop
        s.render();
        for (unsigned string = 0; string < 6; ++string) {
            if (firstBuffer[string] < 0 && screen.player().player().isSounding(string)) {
                firstBuffer[string] = buffer;
            }
        }
    }
    EXPECT_EQ(firstBuffer[0], -1) << "muted";
    for (unsigned string = 2; string < 6; ++string) {
        EXPECT_GE(firstBuffer[string], firstBuffer[string - 1]) << "string " << string;
    }
    EXPECT_GE(firstBuffer[1], 0);
}

TEST(CHMainController, AChordWithoutShapesShowsNoShapeWithBothButtonsOff) {
    ChordsScreen s(D, kMajorTriad);
    CHMainController& screen = s.screen();
    EXPECT_EQ(screen.currentChord(), nullptr);
    EXPECT_EQ(screen.chordNameView()->name(), QStringLiteral("D Maj triad"));
    EXPECT_TRUE(screen.noShapeLabel()->isVisibleTo(screen.view()));
    EXPECT_EQ(screen.noShapeLabel()->text(), QStringLiteral("No shape"));
    EXPECT_TRUE(screen.landscapeNoShapeLabel()->isVisibleTo(screen.landscapeView()->page()));
    EXPECT_FALSE(screen.chordNameView()->previousButton()->isEnabled());
    EXPECT_FALSE(screen.chordNameView()->nextButton()->isEnabled());
    EXPECT_FALSE(screen.landscapeView()->rightButton()->isEnabled());
    EXPECT_TRUE(screen.portraitFretboardView()->fingers().empty());
    EXPECT_EQ(titleTexts(screen.stringTitles()), QStringList(6, QString()));
    s.key(Qt::Key_Right);
    s.key(Qt::Key_Space);
    s.click(s.string(*screen.portraitFretboardView(), 3, 2));
    EXPECT_EQ(s.sounding(), Strings{3}) << "the string plays, silent";
    const std::vector<std::int16_t> out = s.render();
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](std::int16_t v) { return v == 0; }));

    s.click(plate(s));
    s.click(pickerRow(s, 0, -2));
    s.click(pickerRow(s, 0, -1)); // C
    EXPECT_FALSE(screen.noShapeLabel()->isVisibleTo(screen.view()));
    EXPECT_EQ(screen.portraitFretboardView()->fingers().size(), 3u);
}

TEST(CHMainController, ThePickerSlidesUpIn033SecondsOverAShrunkenNeckThatStillPlays) {
    ChordsScreen s;
    CHMainController& screen = s.screen();
    CHContentView& room = *screen.portraitContentView();
    s.tap(plate(s));
    s.clock.advance(0.2);
    EXPECT_GT(screen.picker()->y(), 200);
    EXPECT_LT(screen.picker()->y(), 416);
    EXPECT_GT(room.fretboardScale(), 50.0 / 77.0);
    EXPECT_LT(room.fretboardScale(), 1.0);
    s.clock.advance(0.2);
    EXPECT_EQ(screen.chordNameView()->y(), -120);
    EXPECT_EQ(screen.picker()->y(), 200);
    EXPECT_EQ(room.y(), 0);
    EXPECT_NEAR(room.fretboardScale(), 50.0 / 77.0, 1e-9);
    EXPECT_NEAR(room.fretboardCentre().y(), 100.0, 1e-9);
    EXPECT_EQ(s.bar().item().rightButton->title, QStringLiteral("Done"));

    s.click(s.string(*screen.portraitFretboardView(), 4, 1));
    EXPECT_EQ(s.sounding(), Strings{4}) << "the string under the mouse on the small neck";

    s.click(s.at(s.bar(), s.bar().rightButtonRect().center()));
    EXPECT_FALSE(screen.isPickerVisible());
    EXPECT_EQ(screen.chordNameView()->y(), 0);
    EXPECT_EQ(screen.picker()->y(), 416);
    EXPECT_EQ(room.y(), 108);
    EXPECT_DOUBLE_EQ(room.fretboardScale(), 1.0);
    EXPECT_NEAR(room.fretboardCentre().y(), 154.0, 1e-9);
    EXPECT_EQ(s.bar().item().rightButton->image, QStringLiteral("BZMainController_settings"));
}

TEST(CHMainController, TheLandscapeFaceShowsTheShapeOnA95PointNeckWithItsNutBesideTheTitles) {
    ChordsScreen s;
    CHMainController& screen = s.screen();
    s.click(*screen.chordNameView()->nextButton()); // the barre at 3
    s.turn("Landscape Left");
    const BZFretboard& neck = *screen.landscapeFretboardView();
    EXPECT_TRUE(screen.landscapeView()->isShown());
    EXPECT_EQ(screen.landscapeView()->titleLabel()->text(), QStringLiteral("C Maj triad"));
    EXPECT_FLOAT_EQ(neck.fretWidth(), 95.0f);
    EXPECT_NEAR(neck.contentOffset().x(), static_cast<double>(neck.positionOfFret(2)) - 17.0, 0.5)
        << "at fret 3";
    EXPECT_EQ(neck.fingers().size(), 2u);
    EXPECT_LT(screen.landscapeStringTitles()[0]->x(), neck.x());

    s.click(s.string(neck, 3, 5));
    EXPECT_EQ(s.sounding(), Strings{3});
    EXPECT_NE(screen.landscapeFingerViews()[3]->halo(3), nullptr);

    s.set(CHSettings::kLeftHandedKey, true);
    EXPECT_EQ(neck.x(), 0);
    EXPECT_GT(screen.landscapeStringTitles()[0]->x(), neck.x() + neck.width() - 4);
    s.turn("Portrait");
    EXPECT_FALSE(screen.landscapeView()->isShown());
}
