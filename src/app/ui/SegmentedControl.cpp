#include "SegmentedControl.h"

#include "FittingFont.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

SegmentedControl::SegmentedControl(QWidget* parent) : QWidget(parent) {
    resize(300, 45);
}

void SegmentedControl::setSegments(const QStringList& titles) {
    segments_ = titles;
    if (selected_ >= segments_.size()) {
        selected_ = kNoSegment;
    }
    update();
}

void SegmentedControl::setSelectedSegment(int index) {
    selected_ = index >= 0 && index < segments_.size() ? index : kNoSegment;
    update();
}

QRect SegmentedControl::segmentRect(int index) const {
    if (segments_.isEmpty()) {
        return {};
    }
    const int count = static_cast<int>(segments_.size());
    const int left = width() * index / count;
    const int right = width() * (index + 1) / count;
    return QRect(left, 0, right - left, height());
}

void SegmentedControl::mousePressEvent(QMouseEvent* event) {
    for (int i = 0; i < segments_.size(); ++i) {
        if (segmentRect(i).contains(event->position().toPoint())) {
            if (i != selected_) {
                setSelectedSegment(i);
                emit selectedByUser(i);
            }
            return;
        }
    }
}

void SegmentedControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath outline;
    outline.addRoundedRect(frame, 8, 8);
    QLinearGradient metal(frame.topLeft(), frame.bottomLeft());
    metal.setColorAt(0.0, QColor(0xf4, 0xf2, 0xee));
    metal.setColorAt(1.0, QColor(0xc8, 0xc4, 0xbc));
    painter.fillPath(outline, metal);
    painter.save();
    painter.setClipPath(outline);
    QFont font;
    font.setPixelSize(15);
    font.setBold(true);
    painter.setFont(font);
    for (int i = 0; i < segments_.size(); ++i) {
        const QRect segment = segmentRect(i);
        if (i == selected_) {
            QLinearGradient brass(segment.topLeft(), segment.bottomLeft());
            brass.setColorAt(0.0, QColor(0x8a, 0x50, 0x1c));
            brass.setColorAt(1.0, QColor(0xc8, 0x82, 0x38));
            painter.fillRect(segment, brass);
        }
        if (i > 0) {
            painter.setPen(QPen(QColor(0x6b, 0x5a, 0x48), 1.0));
            painter.drawLine(QPointF(segment.left() + 0.5, frame.top()),
                             QPointF(segment.left() + 0.5, frame.bottom()));
        }
        painter.setPen(i == selected_ ? QColor(0xff, 0xf6, 0xe6) : QColor(0x3a, 0x2c, 0x20));
        // A long title is set smaller before it is cut short.
        const QFont fitting = FittingFont::fitting(font, segments_[i], segment.width() - 8, 11);
        painter.setFont(fitting);
        painter.drawText(
            segment.adjusted(4, 0, -4, 0), Qt::AlignCenter,
            QFontMetrics(fitting).elidedText(segments_[i], Qt::ElideRight, segment.width() - 8));
    }
    painter.restore();
    painter.setPen(QPen(QColor(0x4a, 0x38, 0x28), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);
}
