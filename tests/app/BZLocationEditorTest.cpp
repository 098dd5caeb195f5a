#include "shell/BZLocationEditor.h"

#include "ScreenTestSupport.h"
#include "shell/BZLocationEditorDelegate.h"
#include "support/LogCapture.h"
#include "ui/NavigationBar.h"
#include "ui/PhoneScreen.h"
#include "ui/SegmentedControl.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"

#include <QLabel>
#include <QScrollBar>
#include <QSet>
#include <gtest/gtest.h>

namespace {

// A locator as the editor's caller: it keeps its own search and copies the editor's values only
// when the user confirms.
class Locator : public BZLocationEditorDelegate {
public:
    bool international = false;
    QString postalCode = QStringLiteral("10001");
    QString countryCode = QStringLiteral("US");
    QStringList closes;

    void locationEditorWillClose(BZLocationEditor& editor, bool cancelled) override {
        closes << (cancelled ? "cancelled" : "confirmed");
        if (cancelled) {
            return;
        }
        international = editor.international();
        postalCode = editor.postalCode();
        countryCode = editor.countryCode();
    }
};

struct Presented {
    QApplication& application = screenApplication();
    Locator locator;
    PhoneScreen screen;
    ViewController* root = nullptr;
    QPointer<BZLocationEditor> editor;

    Presented() {
        auto home = std::make_unique<ViewController>();
        root = home.get();
        screen.setRootViewController(std::move(home));
        editor = BZLocationEditor::presentOver(*root, &locator, false);
    }
};

std::vector<int> pickerRows(WheelPicker* picker) {
    std::vector<int> rows;
    for (int i = 0; i < picker->numberOfComponents(); ++i) {
        rows.push_back(picker->selectedRow(i));
    }
    return rows;
}

// Turns one wheel by dragging, as a finger does, and waits until it rests.
void turn(WheelPicker* picker, int component, int rows) {
    const QPoint from = picker->componentRect(component).center();
    const QPoint to = from - QPoint(0, rows * WheelPicker::kRowHeight);
    sendMouse(picker, QEvent::MouseButtonPress, from);
    sendMouse(picker, QEvent::MouseMove, to);
    sendMouse(picker, QEvent::MouseButtonRelease, to);
    ASSERT_TRUE(waitUntil([&] { return !picker->isTurning(); }));
}

} // namespace

TEST(BZLocationEditorLists, AreParallelCompleteAndUnique) {
    screenApplication();
    BZLocationEditor editor;
    const QStringList& codes = editor.countryCodes();
    const QStringList& names = editor.countryNames();
    ASSERT_EQ(codes.size(), 249);
    ASSERT_EQ(names.size(), codes.size());
    EXPECT_EQ(QSet<QString>(codes.begin(), codes.end()).size(), codes.size());
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size());
    for (const QString& code : codes) {
        EXPECT_TRUE(code.size() == 2 && code == code.toUpper() && code[0].isLetter() &&
                    code[1].isLetter())
            << code.toStdString();
    }
    // Same index, same country: a few known pairs.
    for (const auto& [code, name] :
         std::vector<std::pair<const char*, const char*>>{{"GB", "United Kingdom"},
                                                          {"US", "United States"},
                                                          {"DE", "Germany"},
                                                          {"JP", "Japan"},
                                                          {"ZW", "Zimbabwe"},
                                                          {"AX", "Åland Islands"}}) {
        const qsizetype at = codes.indexOf(QString::fromLatin1(code));
        ASSERT_GE(at, 0) << code;
        EXPECT_EQ(names[at], QString::fromUtf8(name)) << code;
    }
    // The default selection is the United Kingdom.
    EXPECT_EQ(editor.countryCode(), "GB");
    EXPECT_EQ(editor.countryName(), "United Kingdom");
}

TEST(BZLocationEditor, ShowsTheDefaultCodeAndTakesTheDigitsTheUserTurnsTo) {
    Presented p;
    ASSERT_TRUE(p.editor);
    EXPECT_EQ(p.root->modalViewController(), p.editor.data());
    EXPECT_EQ(p.editor->postalCode(), "45056");
    EXPECT_EQ(p.editor->zipCodeLabel()->text(), "45056");
    WheelPicker* picker = p.editor->picker();
    EXPECT_EQ(pickerRows(picker), (std::vector<int>{4, 5, 0, 5, 6}));
    EXPECT_FALSE(p.editor->countryTable()->isVisibleTo(p.editor->view())); // postal-code mode

    // 4 5 0 5 6 -> 0 2 1 3 9, one wheel at a time.
    turn(picker, 0, -4);
    turn(picker, 1, -3);
    turn(picker, 2, 1);
    turn(picker, 3, -2);
    turn(picker, 4, 3);
    EXPECT_EQ(p.editor->postalCode(), "02139"); // the leading zero stays
    EXPECT_EQ(p.editor->zipCodeLabel()->text(), "02139");
    EXPECT_TRUE(p.editor->postalCodeNotice().isEmpty());
}

TEST(BZLocationEditor, RefusesCodesThatAreNotFiveDigitsAndCountriesItDoesNotKnow) {
    Presented p;
    ASSERT_TRUE(p.editor->setPostalCode(QStringLiteral("02139")));
    for (const char* bad :
         {"1234", "123456", "12a45", "", " 2139", "\uff11\uff12\uff13\uff14\uff15", "1\u0663345"}) {
        EXPECT_FALSE(p.editor->setPostalCode(QString::fromUtf8(bad))) << bad;
        EXPECT_EQ(p.editor->postalCode(), "02139") << bad;
        EXPECT_EQ(p.editor->zipCodeLabel()->text(), "02139") << bad;
        EXPECT_EQ(pickerRows(p.editor->picker()), (std::vector<int>{0, 2, 1, 3, 9})) << bad;
        EXPECT_TRUE(p.editor->postalCodeNotice().contains("02139")) << bad;
    }
    EXPECT_TRUE(p.editor->postalCodeNotice().contains("is not a five-digit postal code"));
    // Nil is ignored without a word; a valid code clears the notice.
    EXPECT_FALSE(p.editor->setPostalCode(QString()));
    EXPECT_EQ(p.editor->postalCode(), "02139");
    EXPECT_TRUE(p.editor->setPostalCode(QStringLiteral("90210")));
    EXPECT_TRUE(p.editor->postalCodeNotice().isEmpty());

    ASSERT_TRUE(p.editor->setCountryCode(QStringLiteral("fr")));
    EXPECT_EQ(p.editor->countryCode(), "FR");
    for (const char* unknown : {"XX", "", "FRA", "Atlantis"}) {
        EXPECT_FALSE(p.editor->setCountryCode(QString::fromLatin1(unknown))) << unknown;
        EXPECT_FALSE(p.editor->setCountryName(QString::fromLatin1(unknown))) << unknown;
        EXPECT_EQ(p.editor->countryCode(), "FR") << unknown;
    }
    EXPECT_FALSE(p.editor->setCountryName(QString()));
    EXPECT_TRUE(p.editor->setCountryName(QStringLiteral("new zealand")));
    EXPECT_EQ(p.editor->countryCode(), "NZ");
    EXPECT_EQ(p.editor->countryName(), "New Zealand");
}

TEST(BZLocationEditor, ShowsNamesCapitalisedAndAnswersThemAsStored) {
    screenApplication();
    PhoneScreen screen;
    auto home = std::make_unique<ViewController>();
    ViewController* root = home.get();
    screen.setRootViewController(std::move(home));
    auto made = std::make_unique<BZLocationEditor>(QStringList{"BA", "CI", "GB", "US"},
                                                   QStringList{"bosnia and herzegovina",
                                                               "côte d'ivoire", "United Kingdom",
                                                               "united states of america"});
    BZLocationEditor* editor = made.get();
    editor->setInternational(true);
    ASSERT_TRUE(editor->setCountryCode(QStringLiteral("US")));
    root->presentModalViewController(std::move(made), false);

    TableView* table = editor->countryTable();
    EXPECT_TRUE(table->isVisibleTo(editor->view()));
    ASSERT_EQ(table->numberOfRows(0), 4);
    const auto shown = [&](int row) { return table->cellForRow({0, row})->textLabel()->text(); };
    EXPECT_EQ(shown(0), "Bosnia and Herzegovina");
    EXPECT_EQ(shown(1), QString::fromUtf8("Côte d'Ivoire"));
    EXPECT_EQ(shown(3), "United States of America");
    EXPECT_EQ(editor->countryName(), "united states of america");
    EXPECT_EQ(BZLocationEditor::capitalizedName(
                  QStringLiteral("saint helena, ascension and tristan da cunha")),
              "Saint Helena, Ascension and Tristan da Cunha");
    EXPECT_EQ(BZLocationEditor::capitalizedName(QStringLiteral("guinea-bissau")), "Guinea-Bissau");

    // Choosing a row moves the check mark and the selection.
    const auto mark = [&](int row) { return table->cellForRow({0, row})->accessoryType(); };
    EXPECT_EQ(mark(3), TableViewCell::Accessory::Checkmark);
    click(table->cellForRow({0, 1}), {40, 20});
    EXPECT_EQ(mark(1), TableViewCell::Accessory::Checkmark);
    EXPECT_EQ(mark(3), TableViewCell::Accessory::None);
    EXPECT_EQ(editor->countryCode(), "CI");
    EXPECT_EQ(editor->countryName(), QString::fromUtf8("côte d'ivoire"));
}

TEST(BZLocationEditor, SwitchingModesKeepsBothValues) {
    Presented p;
    p.editor->setPostalCode(QStringLiteral("02139"));
    p.editor->setCountryCode(QStringLiteral("IE"));
    SegmentedControl* modes = p.editor->segmentedControl();
    EXPECT_EQ(modes->selectedSegment(), 0);
    p.screen.show();
    click(modes, modes->segmentRect(1).center());
    EXPECT_TRUE(p.editor->international());
    TableView* table = p.editor->countryTable();
    EXPECT_TRUE(table->isVisibleTo(p.editor->view()));
    // The chosen country is in view, with its check mark.
    const QRect row = table->rectForRow({0, static_cast<int>(p.editor->selectedCountryIndex())});
    const int top = table->verticalScrollBar()->value();
    EXPECT_GE(row.top(), top);
    EXPECT_LE(row.bottom(), top + table->viewport()->height());
    EXPECT_EQ(
        table->cellForRow({0, static_cast<int>(p.editor->selectedCountryIndex())})->accessoryType(),
        TableViewCell::Accessory::Checkmark);
    click(modes, modes->segmentRect(0).center());
    EXPECT_FALSE(p.editor->international());
    EXPECT_FALSE(p.editor->countryTable()->isVisibleTo(p.editor->view()));
    EXPECT_EQ(p.editor->postalCode(), "02139");
    EXPECT_EQ(p.editor->countryCode(), "IE");
}

TEST(BZLocationEditor, CancelLeavesTheCallerAsItWasAndDoneHandsTheValuesOver) {
    {
        Presented p;
        p.editor->setInternational(true);
        p.editor->setCountryCode(QStringLiteral("CA"));
        p.editor->setPostalCode(QStringLiteral("02139"));
        NavigationBar* bar = p.editor->navigationBar();
        click(bar, bar->leftButtonRect().center()); // Cancel
        click(bar, bar->leftButtonRect().center()); // a second press while it goes
        EXPECT_EQ(p.locator.closes, QStringList({"cancelled"}));
        EXPECT_FALSE(p.locator.international);
        EXPECT_EQ(p.locator.postalCode, "10001");
        EXPECT_EQ(p.locator.countryCode, "US");
        ASSERT_TRUE(waitUntil([&] { return p.editor.isNull(); }));
        EXPECT_EQ(p.root->modalViewController(), nullptr);
    }
    Presented p;
    p.editor->setInternational(true);
    p.editor->setCountryCode(QStringLiteral("CA"));
    NavigationBar* bar = p.editor->navigationBar();
    click(bar, bar->rightButtonRect().center()); // Done
    EXPECT_EQ(p.locator.closes, QStringList({"confirmed"}));
    EXPECT_TRUE(p.locator.international);
    EXPECT_EQ(p.locator.countryCode, "CA");
    EXPECT_EQ(p.locator.postalCode, "45056");
    ASSERT_TRUE(waitUntil([&] { return p.editor.isNull(); }));
}

TEST(BZLocationEditor, ListsThatDoNotMatchAreCutToTheCommonPartWithALogLine) {
    screenApplication();
    LogCapture log;
    BZLocationEditor editor(QStringList{"FR", "DE", "IT"}, QStringList{"France", "Germany"});
    EXPECT_EQ(editor.countryCodes().size(), 2);
    EXPECT_TRUE(log.contains("3 country codes but 2 names"));
    EXPECT_EQ(editor.countryCode(), "FR"); // no United Kingdom: the first country
    BZLocationEditor empty{QStringList{}, QStringList{}};
    EXPECT_EQ(empty.countryCode(), QString());
    EXPECT_EQ(empty.selectedCountryIndex(), BZLocationEditor::kNotFound);
}
