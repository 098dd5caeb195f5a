#include "BZLocatorServices.h"
#include "DFDealerController.h"
#include "DFDealerHeaderTableViewCell.h"
#include "DFMainController.h"
#include "DFProgressView.h"
#include "LocatorTour.h"
#include "TourSteps.h"
#include "ui/TableView.h"

#include <QMessageBox>
#include <QPushButton>

using fretkit::LocatorPlace;

// The list near the location editor's default postal code, a dealer with the map of its
// street, the list of a country, and the alert of a search whose service cannot be reached.
bool DFMainController::walkTour(TourSteps& steps) {
    LocatorTour tour(steps);
    std::string error;
    const auto embedded = BZLocatorServices::embedded(&error);
    if (!embedded) {
        return false;
    }
    setServices(embedded); // the tour never asks the outside network
    const auto settled = [this] {
        return !isSearching() && !dealers_.empty() && progress_->isHidden();
    };
    if (!tour.choosePlace(*this, flow_, LocatorPlace{false, "45056", {}}) ||
        !steps.reach(settled, QStringLiteral("dealers near 45056")) ||
        !steps.snap(QStringLiteral("domestic"))) {
        return false;
    }
    auto* details = dynamic_cast<DFDealerController*>(
        tour.openRow(*this, *table_, {0, 0}, QStringLiteral("dealer details")));
    if (!details ||
        !steps.reach(
            [details] {
                return details->headerCell() && details->headerCell()->mapView()->isVisible();
            },
            QStringLiteral("dealer map")) ||
        !steps.snap(QStringLiteral("dealer")) || !tour.back(*this, QStringLiteral("dealer list"))) {
        return false;
    }
    if (!tour.choosePlace(*this, flow_, LocatorPlace{true, "DE", {}}) ||
        !steps.reach(settled, QStringLiteral("dealers in Germany")) ||
        !steps.snap(QStringLiteral("international"))) {
        return false;
    }

    auto unreachable = embedded;
    unreachable->dealers = LocatorTour::unreachableAddress();
    setServices(unreachable);
    const bool failed =
        tour.choosePlace(*this, flow_, LocatorPlace{true, "DE", {}}) &&
        steps.reach([this] { return alert_ && alert_->box() && alert_->box()->isVisible(); },
                    QStringLiteral("search failed")) &&
        steps.snap(QStringLiteral("search-failed"));
    if (alert_ && alert_->box() && !alert_->box()->buttons().isEmpty()) {
        alert_->box()->buttons().front()->click();
    }
    setServices(std::nullopt);
    return failed;
}
