#pragma once

#include "kit/QVTableViewDelegate.h"
#include "locators/DFDealer.h"
#include "locators/LocatorRequest.h"
#include "locators/LocatorServices.h"
#include "ui/ViewController.h"

#include <QPointer>
#include <optional>

class BZURLConnection;
class DFDealerHeaderTableViewCell;
class QVTableView;

// A dealer's details, from the "DFDealerController" structure: the header with the map
// thumbnail and the name, the phone section (left out when the dealer has no phone), the web
// section (left out without a web page) and the postal address. The phone row dials, the web row
// opens the page and the address row opens the map service's page of the address. To centre the
// thumbnail the screen asks the map service where the address is.
class DFDealerController : public ViewController,
                           public QVTableViewDelegate,
                           public QVTableValueOfCell,
                           public QVTableDidSelectCell,
                           public QVTableDidConstructCell {
    Q_OBJECT

public:
    static constexpr int kPhoneSection = 1;
    static constexpr int kWebSection = 2;

    DFDealerController(fretkit::PlistValue dealer, fretkit::LocatorServices services);
    ~DFDealerController() override;

    const fretkit::DFDealer& dealer() const { return dealer_; }
    QVTableView* tableView() const { return table_; }
    DFDealerHeaderTableViewCell* headerCell() const;
    // True until the map service's answer about the address is in.
    bool isLocating() const { return !geocoding_.isNull(); }

    // The structure as this dealer shows it: without the web section when it has no page, then
    // without the phone section when it has no phone; rows of a kept section whose field the
    // dealer lacks are left out too. Header and address rows always stay.
    static fretkit::PlistValue contentsFor(const fretkit::PlistValue& structure,
                                           const fretkit::DFDealer& dealer);
    // Reads the map service's answer and centres the thumbnail, or leaves it hidden.
    void geocodingDidFinish(const fretkit::LocatorResponse& response);

    fretkit::PlistValue valueOfCell(QVTableViewCell& cell) override;
    void didSelectCell(QVTableViewCell& cell) override;
    void didConstructCell(QVTableViewCell& cell) override;

protected:
    void loadView() override;
    void viewDidAppear(bool animated) override;

private:
    fretkit::DFDealer dealer_;
    fretkit::LocatorServices services_;
    QVTableView* table_ = nullptr;
    std::optional<fretkit::GeoCoordinate> place_;
    QPointer<BZURLConnection> geocoding_;
};
