#include "BZBarButton.h"

#include <QPainter>
#include <QPainterPath>

BZBarButton::BZBarButton(Arrow arrow, QWidget* parent) : QAbstractButton(parent), arrow_(arrow) {
    resize(sizeHint());
    QFont font;
    font.setPixelSize(12);
    font.setBold(true);
    setFont(font);
}

QSize BZBarButton::sizeHint() const {
    if (arrow_ != Arrow::None) {
        return {kWidth, kHeight};
    }
    return {std::max(kWidth, fontMetrics().horizontalAdvance(text()) + 20), kHeight};
}

void BZBarButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(isEnabled() ? 1.0 : 0.4);
    const QRectF plate = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(plate.topLeft(), plate.bottomLeft());
    fill.setColorAt(0.0, QColor(0x5a, 0x50, 0x48));
    fill.setColorAt(1.0, QColor(0x2c, 0x26, 0x22));
    painter.setPen(QPen(QColor(0, 0, 0, 170), 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(plate, 5, 5);
    if (isDown()) {
        painter.setBrush(QColor(0, 0, 0, 90));
        painter.drawRoundedRect(plate, 5, 5);
    }
    const QColor ink(0xf8, 0xf0, 0xe0);
    if (arrow_ == Arrow::None) {
        painter.setPen(ink);
        painter.drawText(rect(), Qt::AlignCenter, text());
        return;
    }
    const QPointF c = plate.center();
    const double d = arrow_ == Arrow::Left ? -1.0 : 1.0;
    QPainterPath triangle;
    triangle.moveTo(c.x() + 6.0 * d, c.y());
    triangle.lineTo(c.x() - 5.0 * d, c.y() - 7.0);
    triangle.lineTo(c.x() - 5.0 * d, c.y() + 7.0);
    triangle.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 120));
    painter.drawPath(triangle.translated(0, 1));
    painter.setBrush(ink);
    painter.drawPath(triangle);
}
