#include "LocatorCellClasses.h"

#include "DFDealerHeaderTableViewCell.h"
#include "TFTeacherHeaderTableViewCell.h"

namespace {

template <typename Cell>
void add(const char* name) {
    QVTableViewCell::registerClass(QString::fromLatin1(name),
                                   [](const QString& identifier) { return new Cell(identifier); });
}

} // namespace

void LocatorCellClasses::registerAll() {
    static const bool registered = [] {
        add<DFDealerHeaderTableViewCell>("DFDealerHeaderTableViewCell");
        add<TFTeacherHeaderTableViewCell>("TFTeacherHeaderTableViewCell");
        return true;
    }();
    (void)registered;
}
