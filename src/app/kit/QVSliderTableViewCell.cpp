#include "QVSliderTableViewCell.h"

#include <QFontMetrics>

QVSliderTableViewCell::QVSliderTableViewCell(const QString& reuseIdentifier)
    : QVTableViewCell(reuseIdentifier), slider(new Slider(contentView())) {
    setSelectionStyle(SelectionStyle::None);
    connect(slider, &Slider::movedByUser, this, [this] { performAction(); });
}

void QVSliderTableViewCell::setStructure(const fretkit::PlistValue& structure) {
    const QString text = QString::fromStdString(structure["text"].stringValue());
    textLabel()->setText(text);
    QFont bold;
    bold.setPixelSize(17);
    bold.setBold(true);
    const int titleWidth = QFontMetrics(bold).horizontalAdvance(text);
    slider->setGeometry(titleWidth + 29, 12, std::max(40, 264 - titleWidth), 23);
}

void QVSliderTableViewCell::setValue(const fretkit::PlistValue& value) {
    slider->setFloatValue(value.floatValue());
}
