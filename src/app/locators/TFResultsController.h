#pragma once

#include "BZLocationFlow.h"
#include "locators/LocatorPlace.h"
#include "locators/LocatorRequest.h"
#include "locators/LocatorServices.h"
#include "locators/TFTeacher.h"
#include "ui/AlertView.h"
#include "ui/TableViewDataSource.h"
#include "ui/ViewController.h"

#include <QPointer>
#include <optional>

class BZURLConnection;
class TableView;
class TFProgressView;

// The teachers of one instrument near the user's place, nearest first, from one request to the
// teacher service. Without a known place the location editor asks for one. Choosing a teacher
// opens the teacher's details.
class TFResultsController : public ViewController, private TableViewDataSource {
    Q_OBJECT

public:
    explicit TFResultsController(std::string instrument);
    ~TFResultsController() override;

    // The services to ask; by default the configured ones and the embedded services.
    void setServices(std::optional<fretkit::LocatorServices> services);
    // Searches the place from the start: placed on the map, then the request.
    void search(const fretkit::LocatorPlace& place);

    const std::string& instrument() const { return instrument_; }
    const std::vector<fretkit::TFTeacher>& teachers() const { return teachers_; }
    bool isSearching() const { return searching_; }
    fretkit::GeoCoordinate coordinates() const { return coordinates_; }
    TableView* tableView() const { return table_; }
    TFProgressView* progressView() const { return progress_; }
    BZLocationFlow& locationFlow() { return flow_; }
    AlertView* alertView() const { return alert_; }

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

private:
    void retrieveTeachers();
    void connectionDidFinish(const fretkit::LocatorResponse& response);
    void stopSearchingWithError(const QString& message);

    int numberOfRows(TableView&, int) override;
    TableViewCell* cellForRow(TableView& table, IndexPath path) override;
    int heightForRow(TableView&, IndexPath, TableViewCell*) override;
    QString titleForHeader(TableView&, int) override;
    QString titleForFooter(TableView&, int) override;
    void didSelectRow(TableView& table, IndexPath path) override;

    std::string instrument_;
    std::optional<fretkit::LocatorServices> services_;
    std::optional<fretkit::LocatorServices> searched_;
    BZLocationFlow flow_;
    fretkit::LocatorPlace place_;
    bool hasPlace_ = false;
    fretkit::GeoCoordinate coordinates_;
    bool metric_ = true;
    std::vector<fretkit::TFTeacher> teachers_;
    QPointer<BZURLConnection> connection_;
    bool searching_ = false;
    bool answered_ = false;
    bool asked_ = false;
    TableView* table_ = nullptr;
    TFProgressView* progress_ = nullptr;
    QPointer<AlertView> alert_;
};
