#include "TNNeedle.h"

#include "ui/ScreenImage.h"

#include <QPainter>
#include <cmath>

TNNeedle::TNNeedle(double length, QWidget* parent) : View(parent), length_(length) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const int side = 2 * static_cast<int>(std::ceil(length)) + 8;
    resize(side, side);
}

void TNNeedle::setPivot(QPointF pivot) {
    move(static_cast<int>(std::lround(pivot.x() - width() / 2.0)),
         static_cast<int>(std::lround(pivot.y() - height() / 2.0)));
}

QPen TNNeedle::pen() const {
    return QPen(Qt::white, 1.75, Qt::SolidLine, Qt::FlatCap);
}

void TNNeedle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    applyRotation(painter);
    const QPointF foot = QRectF(rect()).center();
    painter.setPen(pen());
    painter.drawLine(foot, QPointF(foot.x(), foot.y() - length_));
    drawFoot(painter, foot);
}

void TNNeedle::drawFoot(QPainter& painter, QPointF foot) const {
    // Round, so the needle's turn does not show on it.
    const QPixmap cap = ScreenImage::load(QStringLiteral("TNNeedle_hub"));
    const QSizeF size = cap.deviceIndependentSize();
    painter.drawPixmap(QPointF(foot.x() - size.width() / 2.0, foot.y() - size.height() / 2.0), cap);
}
