#pragma once

#include "QVTableViewCell.h"

#include <QLabel>

// One credit of the about screen: the role, lower-cased, over the name; 62 points high.
class QVCreditsTableViewCell : public QVTableViewCell {
    Q_OBJECT

public:
    explicit QVCreditsTableViewCell(const QString& reuseIdentifier);
    void setStructure(const fretkit::PlistValue& structure) override;
    int height() const override { return 62; }

    fretkit::PlistValue identifier;
    QLabel* roleLabel;
    QLabel* valueLabel;
};
