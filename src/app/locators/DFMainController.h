#pragma once

#include "BZLocationFlow.h"
#include "BZMainController.h"
#include "locators/DFDealerList.h"
#include "locators/LocatorPlace.h"
#include "locators/LocatorRequest.h"
#include "locators/LocatorServices.h"
#include "ui/AlertView.h"
#include "ui/TableViewDataSource.h"

#include <QPointer>
#include <optional>

class BZURLConnection;
class DFProgressView;
class TableView;

// The dealer locator: the shops near the user's postal code, or in the user's country, that sell
// the seven brands. One request per brand goes to the dealer service, all in flight together;
// each answer is merged into the list as it arrives (a record listed already is left out) and
// the list is sorted again, nearest first. The first answer sends the progress panel away. The
// location button opens the location editor, and a confirmed place starts the search again.
// Choosing a dealer opens its details.
class DFMainController : public BZMainController, private TableViewDataSource {
    Q_OBJECT

public:
    static constexpr int kBrandCount = 7;
    static constexpr int kAboutButtonSpace = 40;

    DFMainController();
    ~DFMainController() override;

    bool hasSettings() const override { return false; }
    bool walkTour(TourSteps& steps) override;

    // The services to ask; by default the configured ones and the embedded services.
    void setServices(std::optional<fretkit::LocatorServices> services);

    // The location button's action.
    void openLocation();
    // Searches the place from the start: placed on the map, then the seven requests.
    void search(const fretkit::LocatorPlace& place);

    const fretkit::LocatorPlace& place() const { return place_; }
    fretkit::GeoCoordinate coordinate() const { return coordinate_; }
    const std::vector<fretkit::PlistValue>& dealers() const { return dealers_.dealers(); }
    int completedSearches() const { return completedSearches_; }
    // True from the start of a search until every request has answered or failed.
    bool isSearching() const;
    TableView* tableView() const { return table_; }
    DFProgressView* progressView() const { return progress_; }
    BZLocationFlow& locationFlow() { return flow_; }
    // The alert on screen, if any.
    AlertView* alertView() const { return alert_; }

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

private:
    void retrieveDealerLists();
    void reloadTable();
    void startSearchForDealer(const char* brand);
    void connectionDidFinish(const fretkit::LocatorResponse& response);
    void stopSearchingWithError(const QString& message);
    void showAlert(const QString& title, const QString& message);
    void cancelSearches();
    std::optional<fretkit::LocatorServices> services(std::string* error) const;

    int numberOfRows(TableView&, int) override;
    TableViewCell* cellForRow(TableView& table, IndexPath path) override;
    int heightForRow(TableView&, IndexPath, TableViewCell*) override;
    QString titleForHeader(TableView&, int) override;
    void didSelectRow(TableView& table, IndexPath path) override;

    std::optional<fretkit::LocatorServices> services_;
    std::optional<fretkit::LocatorServices> searched_; // what the current search asks
    BZLocationFlow flow_;
    fretkit::LocatorPlace place_;
    bool hasPlace_ = false;
    fretkit::GeoCoordinate coordinate_;
    bool metric_ = true;
    fretkit::DFDealerList dealers_;
    std::vector<QPointer<BZURLConnection>> connections_;
    int completedSearches_ = 0;
    bool locating_ = false;
    bool failed_ = false;
    bool hidingProgressView_ = false;
    bool asked_ = false;
    TableView* table_ = nullptr;
    DFProgressView* progress_ = nullptr;
    QPointer<AlertView> alert_;
};
