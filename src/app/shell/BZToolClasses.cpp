#include "BZToolClasses.h"

#include "BZControllerClasses.h"
#include "SCMainController.h"

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
        add<SCMainController>("SCMainController");
        return true;
    }();
    (void)registered;
}
