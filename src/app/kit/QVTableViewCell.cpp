#include "QVTableViewCell.h"

#include "QVCellClasses.h"
#include "QVEditor.h"
#include "QVTableViewDelegate.h"
#include "foundation/Bundle.h"
#include "foundation/Log.h"

#include <QHash>
#include <QMetaMethod>

namespace {

QHash<QString, QVTableViewCell::Factory>& factories() {
    static QHash<QString, QVTableViewCell::Factory> registry;
    return registry;
}

} // namespace

QVTableViewCell::QVTableViewCell(const QString& reuseIdentifier, Style style)
    : TableViewCell(style, reuseIdentifier) {}

void QVTableViewCell::registerClass(const QString& className, Factory factory) {
    factories().insert(className, std::move(factory));
}

QVTableViewCell* QVTableViewCell::create(const QString& className) {
    QVCellClasses::registerAll();
    const auto it = factories().constFind(className);
    return it == factories().constEnd() ? nullptr : it.value()(className);
}

void QVTableViewCell::applyStructure(const fretkit::PlistValue& structure) {
    structure_ = structure;
    setStructure(structure_);
}

int QVTableViewCell::height() const {
    const fretkit::PlistValue* height = structure_.find("height");
    return height ? static_cast<int>(height->floatValue()) : 45;
}

std::string QVTableViewCell::key() const {
    return structure_["key"].stringValue();
}

std::string QVTableViewCell::editorClassName() const {
    return structure_["editorClass"].stringValue();
}

std::unique_ptr<QVEditor> QVTableViewCell::editor() const {
    const std::string name = editorClassName();
    if (name.empty()) {
        return nullptr;
    }
    std::unique_ptr<QVEditor> editor = QVEditor::create(QString::fromStdString(name));
    if (!editor) {
        fretkit::Log::format("unknown editorClass: %s", name.c_str());
        return nullptr;
    }
    editor->setTitle(QString::fromStdString(structure_["title"].stringValue()));
    editor->setDelegate(delegate_);
    return editor;
}

std::string QVTableViewCell::stringForValue(const fretkit::PlistValue& value) const {
    std::string text = "(value not found)";
    for (const fretkit::PlistValue& entry : structure_["values"].arrayItems()) {
        if (entry["value"] == value) {
            text = entry["text"].stringValue();
        }
    }
    return text;
}

fretkit::PlistValue QVTableViewCell::displayedValue(const fretkit::PlistValue& value) const {
    for (const fretkit::PlistValue& entry : structure_["values"].arrayItems()) {
        if (entry["value"] == value) {
            return entry["text"];
        }
    }
    return value;
}

QString QVTableViewCell::localized(const fretkit::PlistValue& key) {
    return QString::fromStdString(fretkit::Bundle::main().localizedString(key.stringValue()));
}

bool QVTableViewCell::performAction() const {
    auto* target = dynamic_cast<QObject*>(delegate_);
    std::string action = structure_["action"].stringValue();
    if (!target || action.empty()) {
        return false;
    }
    if (action.back() == ':') {
        action.pop_back(); // the selector form "valueDidChange:" names the slot valueDidChange
    }
    const QByteArray signature = QByteArray::fromStdString(action) + "(QVTableViewCell*)";
    const int index = target->metaObject()->indexOfMethod(signature.constData());
    if (index < 0) {
        return false;
    }
    auto* self = const_cast<QVTableViewCell*>(this);
    return target->metaObject()->method(index).invoke(target, Qt::DirectConnection,
                                                      Q_ARG(QVTableViewCell*, self));
}
