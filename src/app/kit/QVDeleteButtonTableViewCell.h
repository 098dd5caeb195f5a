#pragma once

#include "QVTableViewCell.h"

#include <QPushButton>

// A full-width button on the stretchable "QVDeleteButtonTableViewCell_background.png" with a
// bold 19-point localised title, and no cell background; a press performs the row's "action".
class QVDeleteButtonTableViewCell : public QVTableViewCell {
    Q_OBJECT

public:
    explicit QVDeleteButtonTableViewCell(const QString& reuseIdentifier);
    bool hasBackground() const override { return false; }
    void setStructure(const fretkit::PlistValue& structure) override;

    QPushButton* button;
};
