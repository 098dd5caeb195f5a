#include "QVSwitchTableViewCell.h"

QVSwitchTableViewCell::QVSwitchTableViewCell(const QString& reuseIdentifier)
    : QVTableViewCell(reuseIdentifier), button(new Switch(contentView())) {
    setSelectionStyle(SelectionStyle::None);
    button->setGeometry(198, 9, 94, 27);
    connect(button, &Switch::toggledByUser, this, [this] { performAction(); });
}

void QVSwitchTableViewCell::setStructure(const fretkit::PlistValue& structure) {
    textLabel()->setText(QString::fromStdString(structure["text"].stringValue()));
}
