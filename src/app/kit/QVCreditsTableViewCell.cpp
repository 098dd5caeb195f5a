#include "QVCreditsTableViewCell.h"

QVCreditsTableViewCell::QVCreditsTableViewCell(const QString& reuseIdentifier)
    : QVTableViewCell(reuseIdentifier), roleLabel(new QLabel(contentView())),
      valueLabel(new QLabel(contentView())) {
    setSelectionStyle(SelectionStyle::None);
    QFont role;
    role.setPixelSize(13);
    roleLabel->setFont(role);
    QFont name;
    name.setPixelSize(17);
    name.setBold(true);
    valueLabel->setFont(name);
    QPalette palette = roleLabel->palette();
    palette.setColor(QPalette::WindowText, detailColor());
    roleLabel->setPalette(palette);
    palette.setColor(QPalette::WindowText, textColor());
    valueLabel->setPalette(palette);
    roleLabel->setGeometry(12, 8, 276, 18);
    valueLabel->setGeometry(12, 28, 276, 24);
    textLabel()->hide();
}

void QVCreditsTableViewCell::setStructure(const fretkit::PlistValue& structure) {
    roleLabel->setText(QString::fromStdString(structure["role"].stringValue()).toLower());
    valueLabel->setText(QString::fromStdString(structure["value"].stringValue()));
}
