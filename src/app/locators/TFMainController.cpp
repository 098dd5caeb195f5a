#include "TFMainController.h"

#include "BZTableKeys.h"
#include "TFResultsController.h"
#include "foundation/Bundle.h"
#include "kit/QVTableView.h"
#include "kit/QVTableViewCell.h"
#include "ui/NavigationController.h"

using fretkit::PlistValue;

TFMainController::TFMainController()
    : BZMainController(QStringLiteral("TFMainController")),
      // No search starts here: the results screen reads the stored place when it opens.
      flow_(*this, [this](const fretkit::LocatorPlace&) { table_->reloadData(); }) {
    navigationItem().backButtonTitle = QVTableViewCell::localized("TFMainController_back");
}

void TFMainController::loadView() {
    table_ = QVTableView::tableViewWithDelegate(this);
    table_->setContents(
        fretkit::Bundle::main().propertyList("TFMainController").value_or(PlistValue::array()));
    table_->reloadData();
    new BZTableKeys(*table_, *this); // the table owns it
    setView(table_);
}

void TFMainController::viewDidLoad() {
    BZMainController::viewDidLoad();
    navigationItem().rightButton =
        BarButton{QString(), BarButton::Style::Plain, [this] { openLocation(); },
                  QStringLiteral("BZ_location")};
    navigationItemChanged();
}

void TFMainController::viewDidAppear(bool) {
    table_->setFocus();
}

void TFMainController::setServices(std::optional<fretkit::LocatorServices> services) {
    services_ = std::move(services);
}

void TFMainController::openLocation() {
    flow_.openEditor();
}

PlistValue TFMainController::valueOfCell(QVTableViewCell&) {
    return {};
}

void TFMainController::didSelectCell(QVTableViewCell& cell) {
    NavigationController* stack = navigationController();
    if (!stack) {
        return;
    }
    auto results = std::make_unique<TFResultsController>(cell.key());
    results->setServices(services_);
    results->setTitle(QVTableViewCell::localized(cell.structure()["title"]));
    stack->pushViewController(std::move(results), true);
}

std::optional<QString> TFMainController::footerForSection(unsigned) {
    const auto place = BZLocationFlow::knownPlace();
    return place ? QVTableViewCell::localized("TFMainController_teachers")
                       .arg(BZLocationFlow::describe(*place))
                 : QVTableViewCell::localized("TFMainController_choosePlace");
}
