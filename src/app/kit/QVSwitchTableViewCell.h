#pragma once

#include "QVTableViewCell.h"
#include "ui/Switch.h"

// A text with an on/off switch; every change the user makes performs the row's "action".
class QVSwitchTableViewCell : public QVTableViewCell {
    Q_OBJECT

public:
    explicit QVSwitchTableViewCell(const QString& reuseIdentifier);
    void setStructure(const fretkit::PlistValue& structure) override;
    fretkit::PlistValue value() const override { return button->isOn(); }
    void setValue(const fretkit::PlistValue& value) override { button->setOn(value.boolValue()); }

    Switch* button;
};
