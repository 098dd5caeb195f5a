#include "QVButtonTableViewCell.h"

#include "ui/ScreenImage.h"

void QVButtonTableViewCell::setStructure(const fretkit::PlistValue& structure) {
    textLabel()->setText(localized(structure["text"]));
    // Text alignment numbers: 0 left, 1 centre, 2 right.
    const std::int64_t alignment =
        structure.contains("alignment") ? structure["alignment"].integerValue() : 1;
    textLabel()->setAlignment((alignment == 0   ? Qt::AlignLeft
                               : alignment == 2 ? Qt::AlignRight
                                                : Qt::AlignHCenter) |
                              Qt::AlignVCenter);
    const fretkit::PlistValue* image = structure.find("image");
    setImage(image ? ScreenImage::load(QString::fromStdString(image->stringValue()), QString())
                   : QPixmap());
    setEnabled(true);
}

void QVButtonTableViewCell::setEnabled(bool enabled) {
    enabled_ = enabled;
    setSelectionStyle(enabled ? SelectionStyle::Blue : SelectionStyle::None);
    setTitleColor(enabled ? textColor() : QColor(0xa0, 0x96, 0x8a));
}
