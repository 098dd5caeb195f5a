#include "TFResultsController.h"

#include "BZLocatorServices.h"
#include "BZTableKeys.h"
#include "BZURLConnection.h"
#include "LocatorText.h"
#include "TFProgressView.h"
#include "TFTeacherController.h"
#include "TFTeacherTableViewCell.h"
#include "kit/QVTableViewCell.h"
#include "locators/CurrentLocale.h"
#include "locators/LocatorFailure.h"
#include "locators/TFTeacherSearch.h"
#include "ui/AlertView.h"
#include "ui/NavigationController.h"
#include "ui/TableView.h"

using fretkit::LocatorPlace;
using fretkit::LocatorResponse;

TFResultsController::TFResultsController(std::string instrument)
    : instrument_(std::move(instrument)),
      flow_(*this, [this](const LocatorPlace& place) { search(place); }) {}

TFResultsController::~TFResultsController() {
    delete alert_.data();
}

void TFResultsController::setServices(std::optional<fretkit::LocatorServices> services) {
    services_ = std::move(services);
}

void TFResultsController::loadView() {
    auto* view = new QWidget;
    view->resize(kFrameWidth, kFrameHeight - NavigationBar::kHeight);
    table_ = new TableView(view);
    table_->setGeometry(view->rect());
    table_->setDataSource(this);
    new BZTableKeys(*table_, *this); // the table owns it
    view->setFocusProxy(table_);
    progress_ = new TFProgressView(view);
    progress_->setText(QVTableViewCell::localized("BZLocation_searching"));
    progress_->hide();
    setView(view);
}

void TFResultsController::viewDidLoad() {
    if (const auto place = BZLocationFlow::knownPlace()) {
        search(*place);
    }
}

void TFResultsController::viewDidAppear(bool) {
    for (int row = 0; row < table_->numberOfRows(0); ++row) {
        table_->deselectRow({0, row}, true);
    }
    table_->setFocus();
    if (!hasPlace_ && !asked_) {
        asked_ = true;
        flow_.openEditor(false); // already there as the screen appears, not sliding in after it
    }
}

void TFResultsController::search(const LocatorPlace& place) {
    view();
    place_ = place;
    hasPlace_ = true;
    if (connection_) {
        connection_->cancel();
    }
    teachers_.clear();
    answered_ = false;
    table_->reloadData();
    QRect panel(0, 0, TFProgressView::kSide, TFProgressView::kSide);
    panel.moveCenter(view()->rect().center());
    progress_->reset(panel);
    searching_ = true;
    std::string error;
    searched_ = services_ ? services_ : BZLocatorServices::current(&error);
    if (!searched_) {
        stopSearchingWithError(LocatorText::sentence(QString::fromStdString(error)));
        return;
    }
    flow_.locate(place, *searched_, [this](fretkit::GeoCoordinate coordinates) {
        coordinates_ = coordinates;
        retrieveTeachers();
    });
}

void TFResultsController::retrieveTeachers() {
    metric_ = fretkit::CurrentLocale::usesMetricSystem();
    const fretkit::TFTeacherSearch search(
        instrument_, place_.international,
        place_.international ? place_.teacherCountry() : place_.code, coordinates_);
    connection_ = BZURLConnection::send(
        search.request(searched_->teachers),
        [this](const LocatorResponse& response) { connectionDidFinish(response); }, this);
}

void TFResultsController::connectionDidFinish(const LocatorResponse& response) {
    searching_ = false;
    const std::string failure = fretkit::LocatorFailure::of(response);
    if (!failure.empty()) {
        stopSearchingWithError(LocatorText::sentence(QString::fromStdString(failure)));
        return;
    }
    const fretkit::TFTeacherSearch search(instrument_, place_.international, place_.code,
                                          coordinates_);
    teachers_ = search.readAnswer(response.body); // sorted nearest first
    answered_ = true;
    progress_->hideAnimated();
    table_->reloadData();
}

void TFResultsController::stopSearchingWithError(const QString& message) {
    progress_->hideNow();
    searching_ = false;
    delete alert_.data();
    alert_ = new AlertView(QVTableViewCell::localized("TFMainController_searchFail"), message,
                           {QVTableViewCell::localized("BZAlert_close")});
    alert_->show();
}

int TFResultsController::numberOfRows(TableView&, int) {
    return static_cast<int>(teachers_.size());
}

TableViewCell* TFResultsController::cellForRow(TableView& table, IndexPath path) {
    auto* cell = static_cast<TFTeacherTableViewCell*>(
        table.dequeueReusableCell(QString::fromLatin1(DFMainTableViewCell::kReuseIdentifier)));
    if (!cell) {
        cell = new TFTeacherTableViewCell;
    }
    cell->setTeacher(teachers_[static_cast<std::size_t>(path.row)], metric_);
    return cell;
}

int TFResultsController::heightForRow(TableView&, IndexPath, TableViewCell*) {
    return TFTeacherTableViewCell::kHeight;
}

QString TFResultsController::titleForHeader(TableView&, int) {
    return hasPlace_ ? QVTableViewCell::localized("TFMainController_teachers")
                           .arg(BZLocationFlow::describe(place_))
                     : QString();
}

QString TFResultsController::titleForFooter(TableView&, int) {
    // An empty answer is no error, but the user should not wonder whether the search ran.
    return answered_ && teachers_.empty() ? QVTableViewCell::localized("TFResultsController_none")
                                          : QString();
}

void TFResultsController::didSelectRow(TableView&, IndexPath path) {
    NavigationController* stack = navigationController();
    if (!stack || !searched_ || path.row >= numberOfRows(*table_, 0)) {
        return;
    }
    stack->pushViewController(std::make_unique<TFTeacherController>(
                                  teachers_[static_cast<std::size_t>(path.row)], *searched_),
                              true);
}
