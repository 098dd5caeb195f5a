#pragma once

#include "QVTableViewCell.h"

// A row with a localised title, an optional image scaled to fit, and, when "editable", a
// disclosure indicator.
class QVTitleTableViewCell : public QVTableViewCell {
    Q_OBJECT

public:
    using QVTableViewCell::QVTableViewCell;
    void setStructure(const fretkit::PlistValue& structure) override;

    fretkit::PlistValue identifier;
};
