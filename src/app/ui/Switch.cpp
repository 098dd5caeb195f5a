#include "Switch.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

Switch::Switch(QWidget* parent) : QWidget(parent) {
    resize(94, 27);
    setCursor(Qt::PointingHandCursor);
}

void Switch::setOn(bool on) {
    if (on_ != on) {
        on_ = on;
        update();
    }
}

void Switch::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        setOn(!on_);
        emit toggledByUser(on_);
    }
}

void Switch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = track.height() / 2.0;
    QLinearGradient fill(track.topLeft(), track.bottomLeft());
    if (on_) {
        fill.setColorAt(0.0, QColor(0xb8, 0x6a, 0x22));
        fill.setColorAt(1.0, QColor(0xe0, 0x9a, 0x48));
    } else {
        fill.setColorAt(0.0, QColor(0xc9, 0xc4, 0xbc));
        fill.setColorAt(1.0, QColor(0xf2, 0xee, 0xe8));
    }
    painter.setPen(QPen(QColor(0x4a, 0x38, 0x28), 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(track, radius, radius);

    QFont font;
    font.setPixelSize(15);
    font.setBold(true);
    painter.setFont(font);
    const double knobWidth = track.width() * 0.45;
    const QRectF knob(on_ ? track.right() - knobWidth : track.left(), track.top(), knobWidth,
                      track.height());
    const QRectF label(on_ ? track.left() : knob.right(), track.top(), track.width() - knobWidth,
                       track.height());
    painter.setPen(on_ ? QColor(0xff, 0xf6, 0xe6) : QColor(0x6a, 0x60, 0x56));
    painter.drawText(label, Qt::AlignCenter, on_ ? tr("ON") : tr("OFF"));

    QLinearGradient metal(knob.topLeft(), knob.bottomLeft());
    metal.setColorAt(0.0, QColor(0xfa, 0xfa, 0xf8));
    metal.setColorAt(0.5, QColor(0xd4, 0xd2, 0xce));
    metal.setColorAt(1.0, QColor(0xaa, 0xa6, 0xa0));
    painter.setPen(QPen(QColor(0x5a, 0x52, 0x4a), 1.0));
    painter.setBrush(metal);
    painter.drawRoundedRect(knob, radius, radius);
}
