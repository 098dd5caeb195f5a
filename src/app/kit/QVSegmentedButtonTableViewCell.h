#pragma once

#include "QVTableViewCell.h"
#include "ui/SegmentedControl.h"

// A segmented control across the row, with no cell background; every choice the user makes
// performs the row's "action". Setting the value moves the selection without reporting.
class QVSegmentedButtonTableViewCell : public QVTableViewCell {
    Q_OBJECT

public:
    explicit QVSegmentedButtonTableViewCell(const QString& reuseIdentifier);
    bool hasBackground() const override { return false; }
    int height() const override { return 45; }
    void setStructure(const fretkit::PlistValue& structure) override;
    fretkit::PlistValue value() const override { return control->selectedSegment(); }
    void setValue(const fretkit::PlistValue& value) override;

    SegmentedControl* control;

private:
    bool settingValue_ = false;
};
