#include "BZMainController.h"

#include "BZSettingsController.h"
#include "RMMainController.h"
#include "ShellTestSupport.h"
#include "foundation/UserDefaults.h"
#include "kit/QVListEditor.h"
#include "kit/QVPickerEditor.h"
#include "kit/QVSwitchTableViewCell.h"
#include "kit/QVTableView.h"
#include "ui/NavigationController.h"
#include "ui/PhoneScreen.h"
#include "ui/Switch.h"

#include <QAbstractButton>
#include <gtest/gtest.h>

using fretkit::PlistValue;
using fretkit::UserDefaults;

namespace {

class Locator : public BZMainController {
public:
    Locator() : BZMainController(QStringLiteral("DFMainController")) {}
    bool hasSettings() const override { return false; }
};

// A tool screen on top of a root screen, with its settings opened by its settings button.
struct Tool {
    explicit Tool(std::unique_ptr<BZMainController> screen) {
        tool = screen.get();
        auto stack = std::make_unique<NavigationController>(std::make_unique<ViewController>());
        navigation = stack.get();
        phone.setRootViewController(std::move(stack));
        navigation->pushViewController(std::move(screen), false);
    }
    explicit Tool(const char* className)
        : Tool(std::make_unique<BZMainController>(QString::fromLatin1(className))) {}

    void openSettings() {
        NavigationBar* bar = navigation->navigationBar();
        click(bar, bar->rightButtonRect().center());
        settings = tool->settingsNavigationController();
        ASSERT_NE(settings, nullptr);
        root = static_cast<BZSettingsController*>(settings->viewControllers().front().get());
        ASSERT_TRUE(waitUntil([&] { return root->isVisible(); }));
    }
    QVTableViewCell* row(const std::string& key) {
        QVTableView* table = root->tableView();
        for (int s = 0; s < table->numberOfSections(); ++s) {
            for (int r = 0; r < table->numberOfRows(s); ++r) {
                if (table->cellAt({s, r})->key() == key) {
                    return table->cellAt({s, r});
                }
            }
        }
        return nullptr;
    }
    // Opens the row's editor as a tap on the row does.
    QVEditor* edit(const std::string& key) {
        QVTableViewCell* cell = row(key);
        EXPECT_NE(cell, nullptr) << key;
        click(cell, cell->rect().center());
        auto* editor = dynamic_cast<QVEditor*>(settings->topViewController());
        EXPECT_NE(editor, nullptr) << key;
        EXPECT_TRUE(waitUntil([&] { return editor && editor->isVisible(); }));
        return editor;
    }
    void back() {
        click(settings->navigationBar(), settings->navigationBar()->leftButtonRect().center());
        ASSERT_TRUE(waitUntil([&] { return root->isVisible() && !settings->isTransitioning(); }));
    }
    QString shown(const std::string& key) { return row(key)->detailTextLabel()->text(); }

    QApplication& application = shellApplication(); // before any widget
    PhoneScreen phone;
    NavigationController* navigation = nullptr;
    BZMainController* tool = nullptr;
    NavigationController* settings = nullptr;
    BZSettingsController* root = nullptr;
};

} // namespace

TEST(BZMainController, TheSettingsListIsNamedByTheFirstTwoLettersOfTheClass) {
    EXPECT_EQ(BZMainController::settingsListName(QStringLiteral("TNMainController")), "TNSettings");
    EXPECT_EQ(BZMainController::settingsListName(QStringLiteral("CFMainController")), "CFSettings");
    EXPECT_EQ(BZMainController::settingsListName(QStringLiteral("RMMainController")), "RMSettings");
}

TEST(BZMainController, AClassWithoutASettingsListGetsAnEmptySettingsTable) {
    Tool rm(std::make_unique<RMMainController>());
    EXPECT_EQ(rm.tool->className(), "RMMainController");
    rm.openSettings();
    EXPECT_EQ(rm.root->title(), "Settings");
    EXPECT_EQ(rm.root->tableView()->numberOfSections(), 1);
    EXPECT_EQ(rm.root->tableView()->numberOfRows(0), 0);
}

TEST(BZMainController, HasSettingsNoShowsNoSettingsButton) {
    Tool locator(std::make_unique<Locator>());
    locator.tool->view();
    EXPECT_FALSE(locator.tool->navigationItem().rightButton.has_value());
    EXPECT_TRUE(locator.navigation->navigationBar()->rightButtonRect().isNull());
    EXPECT_NE(locator.tool->aboutButton(), nullptr); // the about screen is still there

    Tool tuner("TNMainController");
    tuner.tool->view();
    ASSERT_TRUE(tuner.tool->navigationItem().rightButton.has_value());
    EXPECT_EQ(tuner.tool->navigationItem().rightButton->image, "BZMainController_settings");
}

TEST(BZMainController, RowsShowTheStoredSettingsAndDefaultsAreRegisteredForTheClass) {
    UserDefaults& defaults = (shellApplication(), UserDefaults::standard());
    defaults.setInteger(-2, "SC_detune");
    Tool scales("SCMainController");
    scales.openSettings();
    EXPECT_EQ(scales.shown("SC_detune"), QString::fromUtf8("\u22122 semitones"));
    EXPECT_EQ(scales.shown("SC_fingerLabels"), "Finger Numbers"); // the registered default
    EXPECT_EQ(defaults.objectForKey("SC_playbackSpeed"), PlistValue(0.5));
}

TEST(BZMainController, AValueChosenInAnEditorIsStoredAndShowsOnReturn) {
    Tool scales("SCMainController");
    scales.openSettings();
    auto* editor = dynamic_cast<QVListEditor*>(scales.edit("SC_fingerLabels"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->identifier(), "SC_fingerLabels");
    EXPECT_EQ(editor->selectedIndex(), 0u); // the stored value is the one marked
    TableViewCell* intervals = editor->tableView()->cellForRow({0, 2});
    click(intervals, intervals->rect().center());
    EXPECT_EQ(UserDefaults::standard().integerForKey("SC_fingerLabels"), 2);
    scales.back();
    EXPECT_EQ(scales.shown("SC_fingerLabels"), "Intervals");
}

TEST(BZMainController, AStoredNumberOfAnotherTypeStillNamesItsChoice) {
    UserDefaults& defaults = (shellApplication(), UserDefaults::standard());
    defaults.setInteger(442, "TN_reference"); // as "defaults write TN_reference -int 442" stores it
    Tool tuner("TNMainController");
    tuner.openSettings();
    EXPECT_EQ(tuner.shown("TN_reference"), "442 Hz");
    auto* picker = dynamic_cast<QVPickerEditor*>(tuner.edit("TN_reference"));
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->valueOfSelectedItem(), PlistValue(442.0));
}

TEST(BZMainController, SwitchRowsStoreTheirValueAndDoneClosesTheSettings) {
    Tool metronome("MTMainController");
    metronome.openSettings();
    auto* flash = dynamic_cast<QVSwitchTableViewCell*>(metronome.row("MT_flashOnBar"));
    ASSERT_NE(flash, nullptr);
    click(flash->button, flash->button->rect().center());
    EXPECT_TRUE(UserDefaults::standard().boolForKey("MT_flashOnBar"));

    NavigationBar* bar = metronome.settings->navigationBar();
    click(bar, bar->rightButtonRect().center());
    QPointer<NavigationController> settings = metronome.settings;
    EXPECT_TRUE(waitUntil([&] { return !settings && metronome.tool->isVisible(); }));
}

TEST(BZMainController, AnEditorLeftWithoutAChoiceKeepsTheStoredValue) {
    UserDefaults& defaults = (shellApplication(), UserDefaults::standard());
    defaults.setObject("Woodblock", "MT_soundName");
    BZMainController tool(QStringLiteral("MTMainController"));
    QVListEditor editor;
    editor.setStructure(PlistValue::dictionary({{"key", "MT_soundName"}}));
    tool.listEditorValueDidChange(editor); // nothing selected: nothing to store
    EXPECT_EQ(defaults.stringForKey("MT_soundName"), "Woodblock");
}

TEST(BZMainController, TheAboutScreenOpensFromEveryToolScreen) {
    Tool chords("CHMainController");
    chords.phone.show();
    chords.tool->view();
    ASSERT_TRUE(waitUntil([&] { return chords.tool->isVisible(); }));
    // In the bottom right corner of the page under the bar, whatever size the view loaded at.
    const QRect page = chords.tool->view()->rect();
    EXPECT_EQ(chords.tool->aboutButton()->geometry().bottomRight(),
              page.bottomRight() - QPoint(8, 8));
    chords.tool->aboutButton()->click();
    auto* about = qobject_cast<NavigationController*>(chords.tool->modalViewController());
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(waitUntil([&] { return about->isVisible(); }));
    EXPECT_EQ(about->topViewController()->title(), "About");
}
