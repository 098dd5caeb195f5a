#include "BZSettingsController.h"

#include "foundation/Bundle.h"
#include "kit/QVTableView.h"
#include "ui/NavigationController.h"

namespace {

QString localized(const char* key) {
    return QString::fromStdString(fretkit::Bundle::main().localizedString(key));
}

} // namespace

BZSettingsController::BZSettingsController() {
    setTitle(localized("BZ_settings"));
    navigationItem().rightButton =
        BarButton{localized("Done"), BarButton::Style::Done, [this] { close(); }};
    navigationItemChanged();
}

void BZSettingsController::setTableView(QVTableView* table) {
    table_ = table;
    setView(table);
}

void BZSettingsController::close() {
    // The stack around this screen is what was presented.
    if (NavigationController* stack = navigationController()) {
        stack->dismissModalViewController(true);
    } else {
        dismissModalViewController(true);
    }
}

void BZSettingsController::viewWillAppear(bool) {
    if (table_) {
        table_->reloadData();
    }
}
