#include "BZHomeController.h"

#include "BZControllerClasses.h"
#include "BZHomeTableViewCell.h"
#include "BZMainController.h"
#include "foundation/Bundle.h"
#include "kit/QVAbout.h"
#include "kit/QVTableView.h"
#include "ui/NavigationController.h"

namespace {

QString localized(const std::string& key) {
    return QString::fromStdString(fretkit::Bundle::main().localizedString(key));
}

} // namespace

BZHomeController::BZHomeController() {
    BZHomeTableViewCell::registerByName();
    setTitle(localized("BZHomeController_title"));
    navigationItem().leftButton =
        BarButton{QString(), BarButton::Style::Plain, [this] { openAbout(); },
                  QStringLiteral("QVAbout_button")};
    navigationItem().backButtonTitle = localized("BZHomeController_back");
    navigationItemChanged();
}

void BZHomeController::loadView() {
    table_ = QVTableView::tableViewWithDelegate(this);
    table_->setContents(
        fretkit::Bundle::main().propertyList("BZHome").value_or(fretkit::PlistValue::array()));
    table_->reloadData();
    setView(table_);
}

void BZHomeController::didSelectCell(QVTableViewCell& cell) {
    const fretkit::PlistValue& row = cell.structure();
    std::unique_ptr<ViewController> screen =
        BZControllerClasses::create(QString::fromStdString(row["controllerClass"].stringValue()));
    NavigationController* stack = navigationController();
    if (!screen || !stack) {
        return;
    }
    screen->setTitle(localized(row["title"].stringValue()));
    stack->pushViewController(std::move(screen), true);
}

void BZHomeController::openAbout() {
    BZMainController::presentModalStack(*this, QVAbout::aboutController(true));
}
