#pragma once

#include "QVTableViewCell.h"

// A row that is a button: a localised text, centred unless "alignment" says otherwise, and an
// optional image. The table's selection is the press; a disabled button greys its text and
// does not highlight.
class QVButtonTableViewCell : public QVTableViewCell {
    Q_OBJECT

public:
    using QVTableViewCell::QVTableViewCell;
    void setStructure(const fretkit::PlistValue& structure) override;

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

private:
    bool enabled_ = true;
};
