#pragma once

#include "QVTableViewCell.h"

// A localised title with the value beside it, mapped through the row's "values" when they hold
// it; "editable" rows show a disclosure indicator and highlight when chosen; an "icon" image.
class QVTitleValueTableViewCell : public QVTableViewCell {
    Q_OBJECT

public:
    explicit QVTitleValueTableViewCell(const QString& reuseIdentifier);
    void setStructure(const fretkit::PlistValue& structure) override;
    void setValue(const fretkit::PlistValue& value) override;
    fretkit::PlistValue value() const override { return value_; }

private:
    fretkit::PlistValue value_;
};
