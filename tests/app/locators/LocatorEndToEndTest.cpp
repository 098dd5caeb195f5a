#include "BZHomeController.h"
#include "BZToolClasses.h"
#include "DFDealerController.h"
#include "DFDealerHeaderTableViewCell.h"
#include "DFMainController.h"
#include "LocatorTestSupport.h"
#include "kit/QVTableView.h"
#include "kit/QVTableViewCell.h"
#include "shell/BZLocationEditor.h"
#include "ui/SegmentedControl.h"

// The dealer locator as the app runs it: chosen on the home menu, asking the embedded services
// over HTTP, from the first place to a country chosen in the location editor.
TEST(LocatorEndToEnd, FromTheHomeMenuToADealersMapAndOnToAnotherCountry) {
    startWithoutPlace("en_US.UTF-8");
    for (const char* variable :
         {LocatorServices::kDealerVariable, LocatorServices::kTeacherVariable,
          LocatorServices::kMapVariable}) {
        unsetenv(variable);
    }
    QApplication& application = shellApplication();
    (void)application;
    BZToolClasses::registerAll();
    ScreenWindow window(1);
    auto root = std::make_unique<NavigationController>(std::make_unique<BZHomeController>());
    NavigationController& stack = *root;
    window.screen().setRootViewController(std::move(root));
    window.show();
    const auto settled = [&stack] { return !stack.isTransitioning(); };

    // The home menu's dealer row.
    auto* home = static_cast<BZHomeController*>(stack.topViewController());
    const PlistValue& rows = home->tableView()->contents()[0]["contents"];
    int dealerRow = 0;
    while (rows[std::size_t(dealerRow)]["controllerClass"].stringValue() != "DFMainController") {
        ASSERT_LT(++dealerRow, static_cast<int>(rows.count()));
    }
    clickCell(*home->tableView(), {0, dealerRow});
    auto* locator = dynamic_cast<DFMainController*>(stack.topViewController());
    ASSERT_NE(locator, nullptr);

    // A United States locale: the location editor asks, on its default postal code.
    ASSERT_TRUE(waitUntil([&] { return locator->locationFlow().editor() && settled(); }));
    BZLocationEditor* editor = locator->locationFlow().editor();
    EXPECT_EQ(editor->postalCode(), "45056");
    click(editor->navigationBar(), editor->navigationBar()->rightButtonRect().center());
    ASSERT_TRUE(waitUntil([&] { return locator->completedSearches() == 7; }, 15000));
    ASSERT_GT(locator->dealers().size(), 3u);
    double previous = 0.0;
    for (const PlistValue& shop : locator->dealers()) {
        EXPECT_NE(shop["distanceText"].stringValue().find(" mi"), std::string::npos);
        EXPECT_GE(shop["distanceValue"].doubleValue(), previous);
        previous = shop["distanceValue"].doubleValue();
    }

    // The nearest dealer, with the map of its street.
    ASSERT_TRUE(waitUntil(settled));
    clickCell(*locator->tableView(), {0, 0});
    auto* details = dynamic_cast<DFDealerController*>(stack.topViewController());
    ASSERT_NE(details, nullptr);
    EXPECT_EQ(details->dealer().record(), locator->dealers()[0]);
    ASSERT_TRUE(waitUntil([&] { return details->headerCell()->mapView()->isVisible(); }, 10000));
    ASSERT_TRUE(waitUntil(settled));
    click(stack.navigationBar(), stack.navigationBar()->leftButtonRect().center());
    ASSERT_TRUE(waitUntil([&] { return locator->isVisible() && settled(); }));

    // Another country: the list fills again, without distances.
    click(stack.navigationBar(), stack.navigationBar()->rightButtonRect().center());
    editor = locator->locationFlow().editor();
    ASSERT_NE(editor, nullptr);
    SegmentedControl& modes = *editor->segmentedControl();
    click(&modes, modes.segmentRect(1).center());
    clickCell(*editor->countryTable(), {0, static_cast<int>(editor->countryCodes().indexOf("JP"))});
    click(editor->navigationBar(), editor->navigationBar()->rightButtonRect().center());
    ASSERT_TRUE(waitUntil([&] { return locator->completedSearches() == 7; }, 15000));
    ASSERT_FALSE(locator->dealers().empty());
    for (const PlistValue& shop : locator->dealers()) {
        EXPECT_EQ(shop["ALCOCD"].stringValue(), "JP");
        EXPECT_FALSE(shop.contains("distanceText"));
    }
    EXPECT_EQ(locator->tableView()->headerText(0), "Dealers in Japan");
    EXPECT_TRUE(visibleAlerts().isEmpty());
}
