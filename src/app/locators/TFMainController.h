#pragma once

#include "BZLocationFlow.h"
#include "BZMainController.h"
#include "locators/LocatorServices.h"

#include <optional>

class QVTableView;

// The teacher finder: the instruments of the "TFMainController" structure. Choosing one opens
// the teachers of that instrument near the user's place; the location button sets the place,
// which the footer names.
class TFMainController : public BZMainController, public QVTableFooterForSection {
    Q_OBJECT

public:
    TFMainController();

    bool hasSettings() const override { return false; }
    bool walkTour(TourSteps& steps) override;

    // The services the results ask; by default the configured ones and the embedded services.
    void setServices(std::optional<fretkit::LocatorServices> services);
    // The location button's action.
    void openLocation();
    BZLocationFlow& locationFlow() { return flow_; }
    QVTableView* tableView() const { return table_; }

    // The instrument rows show no stored setting.
    fretkit::PlistValue valueOfCell(QVTableViewCell& cell) override;
    void didSelectCell(QVTableViewCell& cell) override;
    std::optional<QString> footerForSection(unsigned section) override;

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

private:
    BZLocationFlow flow_;
    std::optional<fretkit::LocatorServices> services_;
    QVTableView* table_ = nullptr;
};
