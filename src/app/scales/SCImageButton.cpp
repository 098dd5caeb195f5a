#include "SCImageButton.h"

#include "ui/ScreenImage.h"

#include <QPainter>

SCImageButton::SCImageButton(QString image, QWidget* parent)
    : QAbstractButton(parent), image_(std::move(image)) {
    setFocusPolicy(Qt::NoFocus);
}

void SCImageButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setOpacity(isEnabled() ? 1.0 : kDisabledOpacity);
    QPixmap picture;
    if (isDown()) {
        picture = ScreenImage::load(image_ + QStringLiteral("_pressed"));
    }
    if (picture.isNull()) {
        picture = ScreenImage::load(image_);
    }
    painter.drawPixmap(rect(), picture);
}
