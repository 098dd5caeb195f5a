#include "TNNeedleShadow.h"

#include <QPainter>

QPen TNNeedleShadow::pen() const {
    return QPen(QColor(0, 0, 0, 51), 3.75, Qt::SolidLine, Qt::FlatCap);
}

void TNNeedleShadow::drawFoot(QPainter& painter, QPointF foot) const {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawEllipse(foot, 11.0, 11.0);
}
