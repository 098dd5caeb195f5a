#pragma once

#include "QVTableViewCell.h"
#include "ui/Slider.h"

// A text with a slider over 0 ... 1 placed after it; every move the user makes performs the
// row's "action".
class QVSliderTableViewCell : public QVTableViewCell {
    Q_OBJECT

public:
    explicit QVSliderTableViewCell(const QString& reuseIdentifier);
    void setStructure(const fretkit::PlistValue& structure) override;
    fretkit::PlistValue value() const override { return slider->floatValue(); }
    void setValue(const fretkit::PlistValue& value) override;

    Slider* slider;
};
