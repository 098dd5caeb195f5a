#include "Materials.h"

#include <QLinearGradient>
#include <QPainter>
#include <cmath>

void Materials::rosewood(QPainter& painter, const QPainterPath& shape, const QRectF& bounds) {
    painter.save();
    painter.setClipPath(shape);
    QLinearGradient base(bounds.topLeft(), bounds.bottomLeft());
    base.setColorAt(0.0, QColor(0x5c, 0x36, 0x20));
    base.setColorAt(0.45, QColor(0x43, 0x25, 0x15));
    base.setColorAt(1.0, QColor(0x2a, 0x16, 0x0c));
    painter.fillPath(shape, base);
    // Long grain lines along the width, gently waving.
    for (int i = 0; i < 18; ++i) {
        const double y = bounds.top() + bounds.height() * (i + 0.5) / 18.0;
        const double wave = 1.2 + (i % 4) * 0.6;
        QPainterPath grain(QPointF(bounds.left(), y));
        const double step = bounds.width() / 4.0;
        for (int k = 1; k <= 4; ++k) {
            const double x = bounds.left() + step * k;
            const double dy = ((i + k) % 2 ? wave : -wave);
            grain.quadTo(QPointF(x - step / 2.0, y + dy), QPointF(x, y));
        }
        const QColor colour =
            i % 3 == 0 ? QColor(0x1c, 0x0e, 0x06, 90) : QColor(0x7a, 0x4c, 0x2c, 60);
        painter.setPen(QPen(colour, 0.5 + (i % 3) * 0.35));
        painter.drawPath(grain);
    }
    painter.restore();
}

void Materials::nickel(QPainter& painter, const QPainterPath& shape, const QRectF& bounds) {
    QLinearGradient metal(bounds.topLeft(), bounds.bottomLeft());
    metal.setColorAt(0.0, QColor(0xf4, 0xf4, 0xf2));
    metal.setColorAt(0.45, QColor(0xc4, 0xc4, 0xc0));
    metal.setColorAt(0.55, QColor(0xaa, 0xaa, 0xa6));
    metal.setColorAt(1.0, QColor(0xdc, 0xdc, 0xd8));
    painter.fillPath(shape, metal);
}

void Materials::brass(QPainter& painter, const QPainterPath& shape, const QRectF& bounds) {
    QLinearGradient metal(bounds.topLeft(), bounds.bottomLeft());
    metal.setColorAt(0.0, QColor(0xf6, 0xd8, 0x8e));
    metal.setColorAt(0.5, QColor(0xc0, 0x8c, 0x3a));
    metal.setColorAt(1.0, QColor(0x8a, 0x5a, 0x1e));
    painter.fillPath(shape, metal);
}

void Materials::lacquerRed(QPainter& painter, const QPainterPath& shape, const QRectF& bounds) {
    QLinearGradient lacquer(bounds.topLeft(), bounds.bottomLeft());
    lacquer.setColorAt(0.0, QColor(0xd2, 0x3a, 0x2a));
    lacquer.setColorAt(0.5, QColor(0xa8, 0x1e, 0x16));
    lacquer.setColorAt(1.0, QColor(0x7c, 0x10, 0x0c));
    painter.fillPath(shape, lacquer);
}

void Materials::gloss(QPainter& painter, const QPainterPath& shape, const QRectF& bounds,
                      int strength) {
    painter.save();
    painter.setClipPath(shape);
    QLinearGradient shine(bounds.topLeft(), QPointF(bounds.left(), bounds.center().y()));
    shine.setColorAt(0.0, QColor(255, 255, 255, strength));
    shine.setColorAt(1.0, QColor(255, 255, 255, strength / 5));
    painter.fillRect(QRectF(bounds.left(), bounds.top(), bounds.width(), bounds.height() / 2.0),
                     shine);
    painter.restore();
}

void Materials::brassButton(QPainter& painter, const QRectF& disc) {
    QPainterPath ring;
    ring.addEllipse(disc);
    brass(painter, ring, disc);
    QPainterPath face;
    face.addEllipse(disc.adjusted(2.5, 2.5, -2.5, -2.5));
    rosewood(painter, face, face.boundingRect());
    painter.setPen(QPen(QColor(0x3a, 0x22, 0x0c), 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(ring);
}
