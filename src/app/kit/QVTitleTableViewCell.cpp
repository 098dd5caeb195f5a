#include "QVTitleTableViewCell.h"

#include "ui/ScreenImage.h"

void QVTitleTableViewCell::setStructure(const fretkit::PlistValue& structure) {
    textLabel()->setText(localized(structure["title"]));
    const bool editable = structure["editable"].boolValue();
    setAccessoryType(editable ? Accessory::DisclosureIndicator : Accessory::None);
    setSelectionStyle(editable ? SelectionStyle::Blue : SelectionStyle::None);
    QPixmap image;
    if (const fretkit::PlistValue* name = structure.find("image")) {
        image = ScreenImage::load(QString::fromStdString(name->stringValue()), QString());
        const int side = QVTableViewCell::height() - 8;
        if (!image.isNull() && image.deviceIndependentSize().height() > side) {
            const qreal ratio = image.devicePixelRatio();
            image = image.scaledToHeight(static_cast<int>(side * ratio), Qt::SmoothTransformation);
            image.setDevicePixelRatio(ratio);
        }
    }
    setImage(image);
}
