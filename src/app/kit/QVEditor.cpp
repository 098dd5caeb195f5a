#include "QVEditor.h"

#include "QVEditorClasses.h"

#include <QHash>

namespace {

QHash<QString, QVEditor::Factory>& factories() {
    static QHash<QString, QVEditor::Factory> registry;
    return registry;
}

} // namespace

std::unique_ptr<QVEditor> QVEditor::create(const QString& className) {
    QVEditorClasses::registerAll();
    const auto it = factories().constFind(className);
    return it == factories().constEnd() ? nullptr : it.value()();
}

void QVEditor::registerClass(const QString& className, Factory factory) {
    factories().insert(className, std::move(factory));
}
