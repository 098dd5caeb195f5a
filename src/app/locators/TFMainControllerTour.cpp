#include "BZLocatorServices.h"
#include "LocatorTour.h"
#include "TFMainController.h"
#include "TFProgressView.h"
#include "TFResultsController.h"
#include "TFTeacherController.h"
#include "TourSteps.h"
#include "kit/QVTableView.h"
#include "ui/TableView.h"

using fretkit::LocatorPlace;

// The guitar teachers near the location editor's default postal code and the first of them
// with a photo.
bool TFMainController::walkTour(TourSteps& steps) {
    LocatorTour tour(steps);
    std::string error;
    const auto embedded = BZLocatorServices::embedded(&error);
    if (!embedded) {
        return false;
    }
    setServices(embedded); // the tour never asks the outside network
    if (!tour.choosePlace(*this, flow_, LocatorPlace{false, "45056", {}})) {
        return false;
    }
    auto* results = dynamic_cast<TFResultsController*>(
        tour.openRow(*this, *table_, {0, 0}, QStringLiteral("guitar teachers")));
    if (!results ||
        !steps.reach(
            [results] {
                return !results->isSearching() && !results->teachers().empty() &&
                       results->progressView()->isHidden();
            },
            QStringLiteral("guitar teachers found")) ||
        !steps.snap(QStringLiteral("results"))) {
        return false;
    }
    int withPhoto = 0;
    while (withPhoto < static_cast<int>(results->teachers().size()) &&
           results->teachers()[static_cast<std::size_t>(withPhoto)].imageName.empty()) {
        ++withPhoto;
    }
    auto* teacher = dynamic_cast<TFTeacherController*>(tour.openRow(
        *results, *results->tableView(), {0, withPhoto}, QStringLiteral("teacher details")));
    const bool shown = teacher &&
                       steps.reach([teacher] { return !teacher->image().isNull(); },
                                   QStringLiteral("teacher photo")) &&
                       steps.snap(QStringLiteral("teacher")) &&
                       tour.back(*results, QStringLiteral("guitar teachers")) &&
                       tour.back(*this, QStringLiteral("instruments"));
    setServices(std::nullopt);
    return shown;
}
