#include "DFMainController.h"

#include "BZLocatorServices.h"
#include "BZTableKeys.h"
#include "BZURLConnection.h"
#include "DFDealerController.h"
#include "DFMainTableViewCell.h"
#include "DFProgressView.h"
#include "LocatorText.h"
#include "kit/QVTableViewCell.h"
#include "locators/CurrentLocale.h"
#include "locators/DFDealerSearch.h"
#include "locators/LocatorFailure.h"
#include "ui/AlertView.h"
#include "ui/NavigationController.h"
#include "ui/TableView.h"

using fretkit::LocatorPlace;
using fretkit::LocatorResponse;

namespace {

QString text(const char* key) {
    return QVTableViewCell::localized(key);
}

} // namespace

DFMainController::DFMainController()
    : BZMainController(QStringLiteral("DFMainController")),
      flow_(*this, [this](const LocatorPlace& place) { search(place); }) {}

DFMainController::~DFMainController() {
    delete alert_.data();
}

void DFMainController::setServices(std::optional<fretkit::LocatorServices> services) {
    services_ = std::move(services);
}

std::optional<fretkit::LocatorServices> DFMainController::services(std::string* error) const {
    return services_ ? services_ : BZLocatorServices::current(error);
}

void DFMainController::loadView() {
    auto* view = new QWidget;
    view->resize(kFrameWidth, kFrameHeight - NavigationBar::kHeight);
    table_ = new TableView(view);
    table_->setGeometry(view->rect());
    table_->setDataSource(this);
    new BZTableKeys(*table_, *this); // the table owns it
    view->setFocusProxy(table_);
    progress_ = new DFProgressView(view);
    progress_->setText(text("BZLocation_searching"));
    progress_->hide();
    setView(view);
}

void DFMainController::viewDidLoad() {
    BZMainController::viewDidLoad();
    navigationItem().rightButton =
        BarButton{QString(), BarButton::Style::Plain, [this] { openLocation(); },
                  QStringLiteral("BZ_location")};
    navigationItemChanged();
    if (const auto place = BZLocationFlow::knownPlace()) {
        search(*place);
    }
}

void DFMainController::viewDidAppear(bool) {
    for (int row = 0; row < table_->numberOfRows(0); ++row) {
        table_->deselectRow({0, row}, true);
    }
    table_->setFocus();
    // The first time without a place, the user says where: the locale cannot.
    if (!hasPlace_ && !asked_) {
        asked_ = true;
        flow_.openEditor(false); // already there as the screen appears, not sliding in after it
    }
}

void DFMainController::openLocation() {
    flow_.openEditor();
}

void DFMainController::search(const LocatorPlace& place) {
    view();
    place_ = place;
    hasPlace_ = true;
    cancelSearches();
    dealers_ = {};
    reloadTable();
    QRect panel(0, 0, DFProgressView::kSide, DFProgressView::kSide);
    panel.moveCenter(view()->rect().center());
    progress_->reset(panel);
    locating_ = true;
    failed_ = false;
    std::string error;
    searched_ = services(&error);
    if (!searched_) {
        stopSearchingWithError(LocatorText::sentence(QString::fromStdString(error)));
        return;
    }
    flow_.locate(place, *searched_, [this](fretkit::GeoCoordinate coordinate) {
        locating_ = false;
        coordinate_ = coordinate;
        retrieveDealerLists();
    });
}

bool DFMainController::isSearching() const {
    return locating_ || std::any_of(connections_.begin(), connections_.end(),
                                    [](const QPointer<BZURLConnection>& c) { return !c.isNull(); });
}

void DFMainController::cancelSearches() {
    for (const QPointer<BZURLConnection>& connection : connections_) {
        if (connection) {
            connection->cancel();
        }
    }
    connections_.clear();
}

void DFMainController::retrieveDealerLists() {
    cancelSearches();
    dealers_ = {};
    hidingProgressView_ = false;
    completedSearches_ = 0;
    metric_ = fretkit::CurrentLocale::usesMetricSystem();
    for (const char* brand : fretkit::DFDealerSearch::kBrandKeys) {
        startSearchForDealer(brand);
    }
}

void DFMainController::startSearchForDealer(const char* brand) {
    const fretkit::DFDealerSearch search(place_.international, place_.code, coordinate_, metric_);
    connections_.push_back(BZURLConnection::send(
        search.request(brand, searched_->dealers),
        [this](const LocatorResponse& response) { connectionDidFinish(response); }, this));
}

void DFMainController::connectionDidFinish(const LocatorResponse& response) {
    // A service that answers with an error status failed, even when its body is a fault
    // envelope the parser reads without complaint.
    const std::string failure = fretkit::LocatorFailure::of(response);
    if (!failure.empty()) {
        stopSearchingWithError(LocatorText::sentence(QString::fromStdString(failure)));
        return;
    }
    // Malformed answers give the rows read before the error; none is no error.
    const fretkit::DFDealerSearch search(place_.international, place_.code, coordinate_, metric_);
    dealers_.merge(search.readAnswer(response.body));
    if (!hidingProgressView_) {
        progress_->hideAnimated();
        hidingProgressView_ = true;
    }
    reloadTable();
    if (++completedSearches_ == kBrandCount) {
        if (dealers_.empty()) {
            showAlert(text("DFMainController_noneFound"), QString());
        }
    }
}

void DFMainController::stopSearchingWithError(const QString& message) {
    progress_->hideNow();
    locating_ = false;
    // One alert for the search, however many of its requests fail; the list keeps its rows.
    if (!failed_) {
        failed_ = true;
        showAlert(text("DFMainController_searchFail"), message);
    }
}

void DFMainController::showAlert(const QString& title, const QString& message) {
    delete alert_.data();
    alert_ = new AlertView(title, message, {text("BZAlert_close")});
    alert_->show();
}

void DFMainController::reloadTable() {
    table_->reloadData();
    // Room below the last row, so that it can be scrolled clear of the about button.
    const int rows = table_->numberOfRows(0);
    QWidget* canvas = table_->widget();
    const int needed =
        rows > 0 ? table_->rectForRow({0, rows - 1}).bottom() + kAboutButtonSpace : 0;
    if (needed > canvas->height()) {
        canvas->resize(canvas->width(), needed);
    }
}

int DFMainController::numberOfRows(TableView&, int) {
    return static_cast<int>(dealers_.dealers().size());
}

TableViewCell* DFMainController::cellForRow(TableView& table, IndexPath path) {
    auto* cell = static_cast<DFMainTableViewCell*>(
        table.dequeueReusableCell(QString::fromLatin1(DFMainTableViewCell::kReuseIdentifier)));
    if (!cell) {
        cell = new DFMainTableViewCell;
    }
    cell->setDealer(dealers_.dealers()[static_cast<std::size_t>(path.row)]);
    return cell;
}

int DFMainController::heightForRow(TableView&, IndexPath, TableViewCell*) {
    return DFMainTableViewCell::kHeight;
}

QString DFMainController::titleForHeader(TableView&, int) {
    return hasPlace_ ? text("DFMainController_header").arg(BZLocationFlow::describe(place_))
                     : QString();
}

void DFMainController::didSelectRow(TableView&, IndexPath path) {
    NavigationController* stack = navigationController();
    if (!stack || !searched_ || path.row >= numberOfRows(*table_, 0)) {
        return;
    }
    stack->pushViewController(
        std::make_unique<DFDealerController>(dealers_.dealers()[static_cast<std::size_t>(path.row)],
                                             *searched_),
        true);
}
