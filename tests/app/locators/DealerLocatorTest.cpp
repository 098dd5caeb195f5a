#include "AnimationClock.h"
#include "DFDealerController.h"
#include "DFMainController.h"
#include "DFMainTableViewCell.h"
#include "DFProgressView.h"
#include "LocatorTestSupport.h"
#include "kit/QVTableView.h"
#include "locators/SoapEnvelope.h"
#include "shell/BZLocationEditor.h"
#include "ui/SegmentedControl.h"
#include "ui/View.h"

#include <QScrollBar>
#include <QWheelEvent>

namespace {

// The dealer locator pushed onto a stack, searching the services given.
struct Locator {
    ScreenStack screens;
    DFMainController& screen;

    explicit Locator(const LocatorServices& services)
        : screen(screens.push([&] {
              auto locator = std::make_unique<DFMainController>();
              locator->setServices(services);
              return locator;
          }())) {}

    bool settle() {
        return waitUntil([this] { return !screen.isSearching(); }, 10000);
    }
    std::vector<std::string> names() const {
        std::vector<std::string> names;
        for (const PlistValue& dealer : screen.dealers()) {
            names.push_back(dealer["ALCLTX"].stringValue());
        }
        return names;
    }
    DFMainTableViewCell* row(int index) const {
        return static_cast<DFMainTableViewCell*>(screen.tableView()->cellForRow({0, index}));
    }
};

} // namespace

TEST(DealerLocator, AShopSoldUnderTwoBrandsIsListedOnceUnlessAFieldDiffers) {
    startAt({true, "DE", "Germany"});
    // One shop under two brands, and a shop whose two entries differ in the phone number only.
    TestServices services(fretkit::LocatorSampleDirectory(
        directoryOf(PlistValue::array({dealer("Same Everywhere", {"Dunmoor", "Temba"}),
                                       dealer("Two Phones", {"Tolvek"}, "(555) 0100-1000"),
                                       dealer("Two Phones", {"Halvet"}, "(555) 0100-2000")}))));
    Locator locator(services.services());
    ASSERT_TRUE(locator.settle());
    EXPECT_EQ(locator.screen.completedSearches(), 7);
    std::vector<std::string> names = locator.names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Same Everywhere", "Two Phones", "Two Phones"}));
    EXPECT_EQ(locator.screen.tableView()->numberOfRows(0), 3);
    EXPECT_TRUE(visibleAlerts().isEmpty());
}

TEST(DealerLocator, AnInternationalSearchShowsNoDistancesAndKeepsTheArrivalOrder) {
    startAt({true, "DE", "Germany"});
    TestServices services(fretkit::LocatorSampleDirectory(directoryOf(
        PlistValue::array({dealer("Zither Hall", {"Dunmoor"}), dealer("Alto Corner", {"Dunmoor"}),
                           dealer("Mezzo Rooms", {"Dunmoor"})}))));
    Locator locator(services.services());
    ASSERT_TRUE(locator.settle());
    // Every distance is unknown: the order is the service's, not re-sorted by anything else.
    EXPECT_EQ(locator.names(),
              (std::vector<std::string>{"Zither Hall", "Alto Corner", "Mezzo Rooms"}));
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(locator.row(row)->distanceText(), "");
        EXPECT_EQ(locator.screen.dealers()[std::size_t(row)]["distanceValue"].doubleValue(),
                  fretkit::GeoCoordinate::kUnknownDistance);
    }
    EXPECT_EQ(locator.screen.tableView()->headerText(0), "Dealers in Germany");
}

TEST(DealerLocator, DistancesFollowTheLocalesUnitsAndALatitudeOfExactlyZeroHasNone) {
    // Postal codes the map service places: one on the equator, one beside the shop.
    PlistValue codes = PlistValue::dictionary(
        {{"10000", PlistValue::dictionary({{"latitude", 0.0}, {"longitude", 13.4}})},
         {"10115", PlistValue::dictionary({{"latitude", 52.53}, {"longitude", 13.38}})}});
    PlistValue shop = dealer("Near Shop", {"Temba"}, "(555) 0100-1000", "US");
    PlistValue equator = dealer("Equator Shop", {"Temba"}, "(555) 0100-2000", "US");
    equator.set("LATTEX", "0.01");
    equator.set("LNGTEX", "13.41");
    const auto services = [&] {
        return TestServices(fretkit::LocatorSampleDirectory(
            directoryOf(PlistValue::array({shop, equator}), codes)));
    };
    {
        startAt({false, "10115", {}}, "en_US.UTF-8");
        TestServices local = services();
        Locator locator(local.services());
        ASSERT_TRUE(locator.settle());
        ASSERT_EQ(locator.screen.dealers().size(), 1u);
        const double angle = locator.screen.dealers()[0]["distanceValue"].doubleValue();
        EXPECT_GT(angle, 0.0);
        EXPECT_EQ(locator.row(0)->distanceText().toStdString(),
                  fretkit::GeoCoordinate::distanceText(angle, false));
        EXPECT_TRUE(locator.row(0)->distanceText().endsWith(" mi"));
    }
    {
        startAt({false, "10115", {}}, "de_DE.UTF-8");
        TestServices local = services();
        Locator locator(local.services());
        ASSERT_TRUE(locator.settle());
        EXPECT_TRUE(locator.row(0)->distanceText().endsWith(" km"));
    }
    {
        startAt({false, "10000", {}}, "en_US.UTF-8");
        TestServices local = services();
        Locator locator(local.services());
        ASSERT_TRUE(locator.settle());
        EXPECT_DOUBLE_EQ(locator.screen.coordinate().latitude, 0.0);
        EXPECT_EQ(locator.row(0)->distanceText(), "");
    }
}

TEST(DealerLocator, AServiceThatStopsMidSearchShowsOneAlertAndTheListKeepsItsRows) {
    startAt({true, "FR", "France"});
    DealerGate gate(sampleDirectory(), {"Quillon", "Halvet"});
    LocatorServices services = TestServices().services();
    services.dealers = gate.base();
    AlertCounter alerts;
    Locator locator(services);
    ASSERT_TRUE(
        waitUntil([&] { return locator.screen.completedSearches() == 5 && gate.waiting() == 2; }));
    const std::vector<std::string> before = locator.names();
    ASSERT_FALSE(before.empty());
    EXPECT_TRUE(locator.screen.progressView()->isHiding()); // the first answer sent it away

    gate.release(false);           // the service goes away: both held answers break off
    ASSERT_TRUE(locator.settle()); // both failures are in
    EXPECT_EQ(alerts.shown, 1);
    const QList<QMessageBox*> shown = visibleAlerts();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0]->text(), "Search Failed");
    EXPECT_TRUE(shown[0]->informativeText().contains(QString::fromStdString(gate.base())))
        << shown[0]->informativeText().toStdString();
    EXPECT_EQ(locator.names(), before);
    EXPECT_EQ(locator.screen.tableView()->numberOfRows(0), static_cast<int>(before.size()));
    EXPECT_EQ(locator.screen.completedSearches(), 5); // failed requests do not count

    shown[0]->buttons().front()->click();
    EXPECT_TRUE(waitUntil([] { return visibleAlerts().isEmpty(); }));
}

// A fault with an error status is a failed search, not an empty answer.
TEST(DealerLocator, AnErrorStatusFromTheServiceIsAFailureNotNothingFound) {
    startAt({true, "DE", "Germany"});
    DealerGate gate(sampleDirectory(), {}, [](const std::string&, httplib::Response& res) {
        res.status = 500;
        res.set_content(fretkit::SoapEnvelope::fault("soap:Server", "Listings are offline"),
                        "text/xml");
        return true;
    });
    LocatorServices services = TestServices().services();
    services.dealers = gate.base();
    AlertCounter counter;
    Locator locator(services);
    ASSERT_TRUE(locator.settle());
    EXPECT_EQ(counter.shown, 1); // one for the seven failed requests
    const QList<QMessageBox*> alerts = visibleAlerts();
    ASSERT_EQ(alerts.size(), 1);
    EXPECT_EQ(alerts[0]->text(), "Search Failed");
    EXPECT_EQ(alerts[0]->informativeText(), "The service answered HTTP 500: Listings are offline.");
    EXPECT_TRUE(locator.screen.progressView()->isHidden());
}

TEST(DealerLocator, NothingFoundIsSaidOnlyOnceAllSevenAnswered) {
    startAt({true, "AQ", "Antarctica"});
    DealerGate gate(sampleDirectory(), {"Quillon"});
    LocatorServices services = TestServices().services();
    services.dealers = gate.base();
    AlertCounter counter;
    Locator locator(services);
    ASSERT_TRUE(waitUntil([&] { return locator.screen.completedSearches() == 6; }));
    EXPECT_EQ(counter.shown, 0); // six empty answers are not yet nothing found
    gate.release(true);
    ASSERT_TRUE(locator.settle());
    EXPECT_EQ(counter.shown, 1);
    ASSERT_EQ(visibleAlerts().size(), 1);
    EXPECT_EQ(visibleAlerts().front()->text(), "No Dealers Found");
}

// Answers of the search the user left behind must not join the new list.
TEST(DealerLocator, ANewPlaceFromTheLocationEditorDropsTheOldSearchsAnswers) {
    startAt({true, "FR", "France"});
    DealerGate gate(sampleDirectory(), {"BrevanoBowed"});
    LocatorServices services = TestServices().services();
    services.dealers = gate.base();
    Locator locator(services);
    ASSERT_TRUE(waitUntil([&] { return locator.screen.completedSearches() == 6; }));

    // The location button, the country page, Germany, Done: as a user does it.
    NavigationBar& bar = *locator.screens.stack->navigationBar();
    click(&bar, bar.rightButtonRect().center());
    BZLocationEditor* editor = locator.screen.locationFlow().editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->international());
    EXPECT_EQ(editor->countryCode(), "FR"); // it opens on the place searched
    const int germany = static_cast<int>(editor->countryCodes().indexOf("DE"));
    clickCell(*editor->countryTable(), {0, germany});
    click(editor->navigationBar(), editor->navigationBar()->rightButtonRect().center());
    EXPECT_EQ(LocatorPlace::stored(fretkit::UserDefaults::standard())->code, "DE");

    // The new search waits for its BrevanoBowed answer too; the old one's is let go now.
    ASSERT_TRUE(waitUntil([&] { return gate.waiting() == 2; }));
    gate.release(true);
    ASSERT_TRUE(locator.settle());
    EXPECT_EQ(locator.screen.completedSearches(), 7);
    ASSERT_FALSE(locator.screen.dealers().empty());
    for (const PlistValue& shop : locator.screen.dealers()) {
        EXPECT_EQ(shop["ALCOCD"].stringValue(), "DE") << shop["ALCLTX"].stringValue();
    }
}

TEST(DealerLocator, TheLocaleDecidesUntilThePlaceIsChosen) {
    TestServices services;
    {
        // A United States locale cannot give a postal code: the editor asks for one.
        startWithoutPlace("en_US.UTF-8");
        Locator locator(services.services());
        ASSERT_TRUE(waitUntil([&] { return locator.screen.locationFlow().editor(); }));
        BZLocationEditor* editor = locator.screen.locationFlow().editor();
        EXPECT_FALSE(editor->international());
        EXPECT_EQ(editor->segmentedControl()->selectedSegment(), 0);
        EXPECT_EQ(editor->postalCode(), "45056");
        EXPECT_FALSE(locator.screen.isSearching());
        click(editor->navigationBar(), editor->navigationBar()->rightButtonRect().center());
        ASSERT_TRUE(locator.settle());
        EXPECT_EQ(locator.screen.place(), (LocatorPlace{false, "45056", {}}));
        EXPECT_FALSE(locator.screen.dealers().empty());
    }
    {
        // Elsewhere the locale's country is searched at once, and nothing is stored for it.
        startWithoutPlace("it_IT.UTF-8");
        Locator locator(services.services());
        EXPECT_EQ(locator.screen.locationFlow().editor(), nullptr);
        ASSERT_TRUE(locator.settle());
        EXPECT_EQ(locator.screen.place(), (LocatorPlace{true, "IT", {}}));
        EXPECT_EQ(locator.screen.tableView()->headerText(0), "Dealers in Italy");
        EXPECT_FALSE(LocatorPlace::stored(fretkit::UserDefaults::standard()));
    }
}

TEST(DealerLocator, ReturnOpensTheHighlightedRowTheWheelScrollsAndEscapeGoesBack) {
    startAt({true, "US", "United States"});
    TestServices services;
    Locator locator(services.services());
    ASSERT_TRUE(locator.settle());
    TableView& table = *locator.screen.tableView();
    ASSERT_GT(table.numberOfRows(0), 10);

    QWheelEvent wheel(QPointF(160, 200), table.viewport()->mapToGlobal(QPointF(160, 200)), QPoint(),
                      QPoint(0, -240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(table.viewport(), &wheel);
    EXPECT_GT(table.verticalScrollBar()->value(), 0);

    QTest::keyClick(&table, Qt::Key_Down);
    QTest::keyClick(&table, Qt::Key_Down);
    EXPECT_TRUE(locator.row(1)->isHighlighted());
    QTest::keyClick(&table, Qt::Key_Return);
    ASSERT_EQ(locator.screens.stack->viewControllers().size(), 3u);
    auto* details = dynamic_cast<DFDealerController*>(locator.screens.stack->topViewController());
    ASSERT_NE(details, nullptr);
    EXPECT_EQ(details->dealer().record(), locator.screen.dealers()[1]);

    ASSERT_TRUE(waitUntil([&] { return !locator.screens.stack->isTransitioning(); }));
    QTest::keyClick(static_cast<QWidget*>(details->tableView()), Qt::Key_Escape);
    ASSERT_TRUE(waitUntil([&] { return locator.screen.isVisible(); }));
    QTest::keyClick(&table, Qt::Key_Escape);
    EXPECT_EQ(locator.screens.stack->viewControllers().size(), 1u);
}

TEST(DealerLocator, TheProgressPanelGrowsAndFadesAwayWithTheFirstAnswer) {
    startAt({true, "FR", "France"});
    shellApplication();
    AnimationClock clock;
    std::set<std::string> held(fretkit::DFDealerSearch::kBrandKeys.begin() + 1,
                               fretkit::DFDealerSearch::kBrandKeys.end());
    DealerGate gate(sampleDirectory(), held);
    LocatorServices services = TestServices().services();
    services.dealers = gate.base();
    Locator locator(services);
    DFProgressView& panel = *locator.screen.progressView();
    const QRect start = panel.geometry();
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(start.center(), locator.screen.view()->rect().center());

    ASSERT_TRUE(waitUntil([&] { return locator.screen.completedSearches() == 1; }));
    EXPECT_EQ(panel.geometry(), start); // the clock has not moved yet
    clock.advance(DFProgressView::kHideDuration / 2);
    EXPECT_GT(panel.width(), start.width());
    EXPECT_LT(panel.width(), start.width() * 3 / 2);
    EXPECT_EQ(panel.geometry().center(), start.center());
    EXPECT_GT(View::alpha(&panel), 0.0);
    EXPECT_LT(View::alpha(&panel), 1.0);
    clock.advance(DFProgressView::kHideDuration);
    EXPECT_TRUE(panel.isHidden());
    EXPECT_EQ(panel.width(), start.width() * 3 / 2);
    gate.release(true);
    EXPECT_TRUE(locator.settle());
}
