#pragma once

#include "QVTableViewCell.h"

#include <QLabel>

// A row showing the bundle image "imageName", centred, as high as the image plus twice the
// "verticalPadding".
class QVImageTableViewCell : public QVTableViewCell {
    Q_OBJECT

public:
    explicit QVImageTableViewCell(const QString& reuseIdentifier);
    void setStructure(const fretkit::PlistValue& structure) override;
    int height() const override;

    QLabel* imageView;
    float verticalPadding = 0.0f;
};
