#include "QVSegmentedButtonTableViewCell.h"

QVSegmentedButtonTableViewCell::QVSegmentedButtonTableViewCell(const QString& reuseIdentifier)
    : QVTableViewCell(reuseIdentifier), control(new SegmentedControl(this)) {
    setDrawsBackground(false);
    setSelectionStyle(SelectionStyle::None);
    control->setGeometry(10, 0, 300, 45);
    connect(control, &SegmentedControl::selectedByUser, this, [this] {
        if (!settingValue_) {
            performAction();
        }
    });
}

void QVSegmentedButtonTableViewCell::setStructure(const fretkit::PlistValue& structure) {
    QStringList titles;
    for (const fretkit::PlistValue& title : structure["segments"].arrayItems()) {
        titles << QString::fromStdString(title.stringValue());
    }
    control->setSegments(titles);
}

void QVSegmentedButtonTableViewCell::setValue(const fretkit::PlistValue& value) {
    settingValue_ = true;
    control->setSelectedSegment(value.isNull() ? SegmentedControl::kNoSegment : value.intValue());
    settingValue_ = false;
}
