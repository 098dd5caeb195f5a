#include "BZHomeController.h"

#include "BZControllerClasses.h"
#include "BZHomeTableViewCell.h"
#include "ShellTestSupport.h"
#include "foundation/Bundle.h"
#include "kit/QVTableView.h"
#include "ui/NavigationController.h"
#include "ui/PhoneScreen.h"

#include <gtest/gtest.h>

using fretkit::PlistValue;

namespace {

// The phone with the home menu as the root of its stack.
struct Phone {
    Phone() {
        auto stack = std::make_unique<NavigationController>(std::make_unique<BZHomeController>());
        navigation = stack.get();
        screen.setRootViewController(std::move(stack));
        home = static_cast<BZHomeController*>(navigation->topViewController());
    }
    QVTableView& table() { return *home->tableView(); }
    int rowOf(const char* controllerClass) {
        const PlistValue& rows = table().contents()[0]["contents"];
        for (std::size_t i = 0; i < rows.count(); ++i) {
            if (rows[i]["controllerClass"].stringValue() == controllerClass) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    void choose(const char* controllerClass) {
        QVTableViewCell* cell = table().cellAt({0, rowOf(controllerClass)});
        ASSERT_NE(cell, nullptr) << controllerClass;
        click(cell, cell->rect().center());
    }

    QApplication& application = shellApplication(); // before any widget
    PhoneScreen screen;
    NavigationController* navigation = nullptr;
    BZHomeController* home = nullptr;
};

} // namespace

TEST(BZHomeController, ListsTheSevenToolsWithTheirTitlesDescriptionsAndIcons) {
    Phone phone;
    EXPECT_EQ(phone.home->title(), "Fretkit");
    ASSERT_EQ(phone.table().numberOfRows(0), 7);
    const char* tools[] = {"TNMainController", "MTMainController", "CHMainController",
                           "SCMainController", "CFMainController", "DFMainController",
                           "TFMainController"};
    for (int row = 0; row < 7; ++row) {
        EXPECT_EQ(phone.rowOf(tools[row]), row);
        auto* cell = dynamic_cast<BZHomeTableViewCell*>(phone.table().cellAt({0, row}));
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->height(), 77);
        // Texts come localised; a missing key would show itself.
        EXPECT_FALSE(cell->textLabel()->text().isEmpty());
        EXPECT_FALSE(cell->textLabel()->text().contains(QLatin1String("MainController")));
        EXPECT_FALSE(cell->detailTextLabel()->text().contains(QLatin1String("MainController")));
        EXPECT_FALSE(cell->icon().isNull()) << tools[row];
        EXPECT_EQ(cell->textLabel()->geometry(), BZHomeTableViewCell::kTitleFrame);
        EXPECT_EQ(cell->detailTextLabel()->geometry(), BZHomeTableViewCell::kDetailFrame);
    }
    EXPECT_EQ(phone.table().cellAt({0, 0})->textLabel()->text(), "Tuner");
}

TEST(BZHomeController, PushesTheChosenToolByClassNameWithTheRowsTitle) {
    Phone phone;
    QString made;
    BZControllerClasses::registerClass(QStringLiteral("MTMainController"), [&made] {
        made = QStringLiteral("MTMainController");
        return std::make_unique<ViewController>();
    });
    phone.choose("MTMainController");
    EXPECT_EQ(made, "MTMainController");
    ViewController* top = phone.navigation->topViewController();
    ASSERT_NE(top, phone.home);
    EXPECT_EQ(top->title(), "Metronome");
    // The way back is titled by the home menu's back title, not its own title.
    ASSERT_TRUE(waitUntil([&] { return top->isVisible(); }));
    EXPECT_EQ(phone.navigation->navigationBar()->backTitle(), "Home");
}

TEST(BZHomeController, AToolWhoseScreenDoesNotExistDoesNothing) {
    Phone phone;
    phone.choose("DFMainController");
    phone.choose("TFMainController");
    QTest::qWait(50);
    EXPECT_EQ(phone.navigation->viewControllers().size(), 1u);
    EXPECT_TRUE(phone.home->isVisible());
}

TEST(BZHomeController, TheAboutButtonOpensTheAboutScreenAndDoneClosesIt) {
    Phone phone;
    NavigationBar* bar = phone.navigation->navigationBar();
    ASSERT_EQ(bar->item().leftButton->image, "QVAbout_button");
    click(bar, bar->leftButtonRect().center());
    auto* about = qobject_cast<NavigationController*>(phone.home->modalViewController());
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(waitUntil([&] { return about->isVisible(); }));
    EXPECT_EQ(about->topViewController()->title(), "About");
    click(about->navigationBar(), about->navigationBar()->rightButtonRect().center());
    EXPECT_TRUE(waitUntil([&] { return !phone.home->modalViewController(); }));
}

TEST(BZControllerClasses, MakesTheShellsOwnClassesAndNothingForUnknownNames) {
    shellApplication();
    EXPECT_TRUE(BZControllerClasses::exists(QStringLiteral("RMMainController")));
    EXPECT_NE(BZControllerClasses::create(QStringLiteral("RMMainController")), nullptr);
    EXPECT_FALSE(BZControllerClasses::exists(QStringLiteral("XXMainController")));
    EXPECT_EQ(BZControllerClasses::create(QStringLiteral("XXMainController")), nullptr);
    EXPECT_EQ(BZControllerClasses::create(QString()), nullptr);
}
