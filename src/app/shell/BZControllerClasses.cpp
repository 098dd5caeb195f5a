#include "BZControllerClasses.h"

#include "RMMainController.h"

#include <QHash>

namespace {

QHash<QString, BZControllerClasses::Factory>& factories() {
    static QHash<QString, BZControllerClasses::Factory> registry;
    return registry;
}

template <typename Controller>
void add(const char* name) {
    BZControllerClasses::registerClass(QString::fromLatin1(name),
                                       [] { return std::make_unique<Controller>(); });
}

} // namespace

void BZControllerClasses::registerAll() {
    static const bool registered = [] {
        add<RMMainController>("RMMainController");
        return true;
    }();
    (void)registered;
}

void BZControllerClasses::registerClass(const QString& className, Factory factory) {
    factories().insert(className, std::move(factory));
}

bool BZControllerClasses::exists(const QString& className) {
    registerAll();
    return factories().contains(className);
}

std::unique_ptr<ViewController> BZControllerClasses::create(const QString& className) {
    registerAll();
    const auto it = factories().constFind(className);
    return it == factories().constEnd() ? nullptr : it.value()();
}
