#include "DFDealerController.h"

#include "BZTableKeys.h"
#include "BZURLConnection.h"
#include "DFDealerHeaderTableViewCell.h"
#include "LocatorCellClasses.h"
#include "LocatorText.h"
#include "foundation/Bundle.h"
#include "kit/QVTableView.h"
#include "ui/NavigationController.h"
#include "ui/UrlOpener.h"

using fretkit::PlistValue;

namespace {

// Rows whose field the dealer may lack; the header and the address are built from several.
bool rowApplies(const PlistValue& row, const fretkit::DFDealer& dealer) {
    const std::string key = row["key"].stringValue();
    return key == "address" || row["class"].stringValue() == "DFDealerHeaderTableViewCell" ||
           dealer.record().contains(key);
}

void open(const std::string& url) {
    if (!url.empty()) {
        UrlOpener::openURL(QUrl(QString::fromStdString(url), QUrl::StrictMode));
    }
}

} // namespace

DFDealerController::DFDealerController(PlistValue dealer, fretkit::LocatorServices services)
    : dealer_(std::move(dealer)), services_(std::move(services)) {
    LocatorCellClasses::registerAll();
    setTitle(QVTableViewCell::localized("DFDealer_info"));
}

DFDealerController::~DFDealerController() = default;

PlistValue DFDealerController::contentsFor(const PlistValue& structure,
                                           const fretkit::DFDealer& dealer) {
    PlistValue::Array sections = structure.arrayItems();
    const fretkit::PlistValue& record = dealer.record();
    if (!record.contains("HPAGEX") && sections.size() > kWebSection) {
        sections.erase(sections.begin() + kWebSection);
    }
    if (!record.contains("ALCRTX") && !record.contains("ALCSTX") &&
        sections.size() > kPhoneSection) {
        sections.erase(sections.begin() + kPhoneSection);
    }
    for (PlistValue& section : sections) {
        PlistValue rows = PlistValue::array();
        for (const PlistValue& row : section["contents"].arrayItems()) {
            if (rowApplies(row, dealer)) {
                rows.append(row);
            }
        }
        section.set("contents", rows);
    }
    return PlistValue(std::move(sections));
}

void DFDealerController::loadView() {
    table_ = QVTableView::tableViewWithDelegate(this);
    table_->setContents(contentsFor(
        fretkit::Bundle::main().propertyList("DFDealerController").value_or(PlistValue::array()),
        dealer_));
    table_->reloadData();
    new BZTableKeys(*table_, *this); // the table owns it
    setView(table_);

    fretkit::LocatorRequest request;
    request.url = dealer_.geocodeURL(services_.maps);
    geocoding_ = BZURLConnection::send(
        std::move(request),
        [this](const fretkit::LocatorResponse& response) { geocodingDidFinish(response); }, this);
}

void DFDealerController::viewDidAppear(bool) {
    table_->setFocus();
}

void DFDealerController::geocodingDidFinish(const fretkit::LocatorResponse& response) {
    place_ = response.succeeded() ? fretkit::DFDealer::coordinateFromGeocodeAnswer(response.body)
                                  : std::nullopt;
    if (place_ && headerCell()) {
        headerCell()->setMapCoordinates(*place_, services_.maps);
    }
}

DFDealerHeaderTableViewCell* DFDealerController::headerCell() const {
    return table_ ? dynamic_cast<DFDealerHeaderTableViewCell*>(table_->cellAt({0, 0})) : nullptr;
}

void DFDealerController::didConstructCell(QVTableViewCell& cell) {
    // A header made again (the table reloaded) shows the map it had.
    auto* header = dynamic_cast<DFDealerHeaderTableViewCell*>(&cell);
    if (header && place_) {
        header->setMapCoordinates(*place_, services_.maps);
    }
}

PlistValue DFDealerController::valueOfCell(QVTableViewCell& cell) {
    const std::string key = cell.key();
    if (key == "address") {
        return dealer_.addressText();
    }
    if (key == "HPAGEX") {
        return LocatorText::contactValue(cell, dealer_.field(key));
    }
    return dealer_.field(key);
}

void DFDealerController::didSelectCell(QVTableViewCell& cell) {
    const std::string key = cell.key();
    if (key == "ALCRTX") {
        open(dealer_.phoneURL());
    } else if (key == "HPAGEX") {
        open(dealer_.webURL().value_or(std::string()));
    } else if (key == "address") {
        open(dealer_.mapURL(services_.maps));
    }
}
