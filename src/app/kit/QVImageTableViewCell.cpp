#include "QVImageTableViewCell.h"

#include "ui/ScreenImage.h"

QVImageTableViewCell::QVImageTableViewCell(const QString& reuseIdentifier)
    : QVTableViewCell(reuseIdentifier), imageView(new QLabel(contentView())) {
    setSelectionStyle(SelectionStyle::None);
    imageView->setAlignment(Qt::AlignCenter);
}

void QVImageTableViewCell::setStructure(const fretkit::PlistValue& structure) {
    verticalPadding = structure["verticalPadding"].floatValue();
    const QPixmap image =
        ScreenImage::load(QString::fromStdString(structure["imageName"].stringValue()), QString());
    imageView->setPixmap(image);
    const QSizeF size = image.deviceIndependentSize();
    imageView->setGeometry(0, static_cast<int>(verticalPadding), 300,
                           static_cast<int>(size.height()));
}

int QVImageTableViewCell::height() const {
    const QSizeF size = imageView->pixmap().deviceIndependentSize();
    return static_cast<int>(size.height() + 2.0 * static_cast<double>(verticalPadding));
}
