#include "BZToolClasses.h"

#include "BZControllerClasses.h"
#include "CFMainController.h"
#include "CHMainController.h"
#include "DFMainController.h"
#include "MTMainController.h"
#include "SCMainController.h"
#include "TFMainController.h"
#include "TNMainController.h"

#include <memory>

namespace {

template <typename Controller>
[[maybe_unused]] void add(const char* name) {
    BZControllerClasses::registerClass(QString::fromLatin1(name),
                                       [] { return std::make_unique<Controller>(); });
}

} // namespace

void BZToolClasses::registerAll() {
    static const bool registered = [] {
        // One line per tool screen, as it lands.
        add<MTMainController>("MTMainController");
        add<TNMainController>("TNMainController");
        add<DFMainController>("DFMainController");
        add<TFMainController>("TFMainController");
        add<CHMainController>("CHMainController");
        add<CFMainController>("CFMainController");
        add<SCMainController>("SCMainController");
        return true;
    }();
    (void)registered;
}
