#include "QVContactsTableViewCell.h"

#include <QFontMetrics>

QVContactsTableViewCell::QVContactsTableViewCell(const QString& reuseIdentifier)
    : QVTableViewCell(reuseIdentifier, Style::Value1) {
    QFont font = detailTextLabel()->font();
    font.setPixelSize(15);
    detailTextLabel()->setFont(font);
    QFont title = textLabel()->font();
    title.setPixelSize(13);
    textLabel()->setFont(title);
    setAccessoryType(Accessory::DisclosureIndicator); // new cells start editable
}

void QVContactsTableViewCell::setStructure(const fretkit::PlistValue& structure) {
    textLabel()->setText(localized(structure["title"]).toLower());
    const bool editable = !structure.contains("editable") || structure["editable"].boolValue();
    setAccessoryType(editable ? Accessory::DisclosureIndicator : Accessory::None);
    bool selectable = editable;
    if (const fretkit::PlistValue* flag = structure.find("selectable")) {
        selectable = flag->boolValue();
    }
    setSelectionStyle(selectable ? SelectionStyle::Blue : SelectionStyle::None);
    multiline_ = structure["isMultiline"].boolValue();
    detailTextLabel()->setWordWrap(multiline_);
    setValue(structure["value"]);
}

void QVContactsTableViewCell::setValue(const fretkit::PlistValue& value) {
    value_ = value;
    const fretkit::PlistValue shown = displayedValue(value);
    detailTextLabel()->setText(QString::fromStdString(shown.stringValue()));
    layoutContent();
}

int QVContactsTableViewCell::height() const {
    if (!multiline_) {
        return 45;
    }
    const QFontMetrics metrics(detailTextLabel()->font());
    const QRect text = metrics.boundingRect(QRect(0, 0, kValueWidth, 100000), Qt::TextWordWrap,
                                            detailTextLabel()->text());
    return std::max(45, text.height() + 20);
}

void QVContactsTableViewCell::layoutContent() {
    const int accessory = accessoryType() == Accessory::None ? 0 : 20;
    const int right = contentView()->width() - accessory - 8;
    textLabel()->setGeometry(8, 0, right - kValueWidth - 12, contentView()->height());
    textLabel()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    detailTextLabel()->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    detailTextLabel()->setGeometry(right - kValueWidth, 0, kValueWidth, contentView()->height());
    detailTextLabel()->show();
}
