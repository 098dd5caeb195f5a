#include "CHStepButton.h"

#include "ui/ScreenImage.h"

#include <QPainter>

CHStepButton::CHStepButton(Direction direction, QWidget* parent)
    : QAbstractButton(parent), direction_(direction) {
    resize(kSize, kSize);
    setFocusPolicy(Qt::NoFocus);
}

QString CHStepButton::imageName(Direction direction) {
    return direction == Direction::Previous ? QStringLiteral("CHMainController_previous")
                                            : QStringLiteral("CHMainController_next");
}

void CHStepButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!isEnabled()) {
        painter.setOpacity(0.3);
    }
    const QPixmap image = ScreenImage::load(imageName(direction_));
    const QSizeF size = image.deviceIndependentSize();
    const QPointF at((width() - size.width()) / 2.0,
                     (height() - size.height()) / 2.0 + (isDown() ? 1 : 0));
    painter.drawPixmap(at, image);
    if (isDown()) {
        // Pressed: the button's face darkens under the finger.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 70));
        painter.drawEllipse(QRectF(at, size).adjusted(3, 3, -3, -3));
    }
}
