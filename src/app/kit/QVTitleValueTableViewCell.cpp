#include "QVTitleValueTableViewCell.h"

#include "ui/ScreenImage.h"

QVTitleValueTableViewCell::QVTitleValueTableViewCell(const QString& reuseIdentifier)
    : QVTableViewCell(reuseIdentifier, Style::Value1) {}

void QVTitleValueTableViewCell::setStructure(const fretkit::PlistValue& structure) {
    textLabel()->setText(localized(structure["title"]));
    const bool editable = structure["editable"].boolValue();
    setAccessoryType(editable ? Accessory::DisclosureIndicator : Accessory::None);
    setSelectionStyle(editable ? SelectionStyle::Blue : SelectionStyle::None);
    const fretkit::PlistValue* icon = structure.find("icon");
    setImage(icon ? ScreenImage::load(QString::fromStdString(icon->stringValue()), QString())
                  : QPixmap());
    setValue(structure["value"]);
}

void QVTitleValueTableViewCell::setValue(const fretkit::PlistValue& value) {
    value_ = value;
    const fretkit::PlistValue shown = displayedValue(value);
    if (shown.isString() || shown.isNull()) {
        detailTextLabel()->setText(localized(shown));
    } else {
        detailTextLabel()->setText(QString::fromStdString(shown.stringValue()));
    }
    layoutContent();
}
