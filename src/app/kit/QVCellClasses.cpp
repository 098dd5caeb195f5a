#include "QVCellClasses.h"

#include "QVAboutIconCell.h"
#include "QVButtonTableViewCell.h"
#include "QVContactsTableViewCell.h"
#include "QVCreditsTableViewCell.h"
#include "QVDeleteButtonTableViewCell.h"
#include "QVImageTableViewCell.h"
#include "QVSegmentedButtonTableViewCell.h"
#include "QVSliderTableViewCell.h"
#include "QVSwitchTableViewCell.h"
#include "QVTitleTableViewCell.h"
#include "QVTitleValueTableViewCell.h"

namespace {

template <typename Cell>
void add(const char* name) {
    QVTableViewCell::registerClass(QString::fromLatin1(name),
                                   [](const QString& identifier) { return new Cell(identifier); });
}

} // namespace

void QVCellClasses::registerAll() {
    static const bool registered = [] {
        add<QVTitleTableViewCell>("QVTitleTableViewCell");
        add<QVTitleValueTableViewCell>("QVTitleValueTableViewCell");
        add<QVContactsTableViewCell>("QVContactsTableViewCell");
        add<QVButtonTableViewCell>("QVButtonTableViewCell");
        add<QVSwitchTableViewCell>("QVSwitchTableViewCell");
        add<QVSliderTableViewCell>("QVSliderTableViewCell");
        add<QVSegmentedButtonTableViewCell>("QVSegmentedButtonTableViewCell");
        add<QVDeleteButtonTableViewCell>("QVDeleteButtonTableViewCell");
        add<QVImageTableViewCell>("QVImageTableViewCell");
        add<QVCreditsTableViewCell>("QVCreditsTableViewCell");
        add<QVAboutIconCell>("QVAboutIconCell");
        return true;
    }();
    (void)registered;
}
