#include "WheelPicker.h"

#include "FittingFont.h"
#include "ViewAnimation.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

WheelPicker::WheelPicker(QWidget* parent) : QWidget(parent) {
    resize(320, kHeight);
}

void WheelPicker::reloadAllComponents() {
    const int components = source_ ? source_->numberOfComponents(*this) : 0;
    wheels_.resize(static_cast<std::size_t>(std::max(0, components)));
    for (int c = 0; c < components; ++c) {
        Wheel& wheel = wheels_[static_cast<std::size_t>(c)];
        wheel.rows = std::max(0, source_->numberOfRows(*this, c));
        wheel.width = source_->widthForComponent(*this, c);
        wheel.offset =
            std::clamp(wheel.offset, 0.0, std::max(0, wheel.rows - 1) * 1.0 * kRowHeight);
        if (!wheel.glide) {
            wheel.glide = new QVariantAnimation(this);
            wheel.glide->setDuration(250);
            wheel.glide->setEasingCurve(ViewAnimation::easingCurve(ViewAnimation::Curve::EaseOut));
        }
    }
    update();
}

int WheelPicker::selectedRow(int component) const {
    if (component < 0 || component >= numberOfComponents()) {
        return -1;
    }
    const Wheel& wheel = wheels_[static_cast<std::size_t>(component)];
    if (wheel.rows == 0) {
        return -1;
    }
    const double target = wheel.glide && wheel.glide->state() == QAbstractAnimation::Running
                              ? wheel.glide->endValue().toDouble()
                              : wheel.offset;
    return std::clamp(static_cast<int>(std::lround(target / kRowHeight)), 0, wheel.rows - 1);
}

bool WheelPicker::isTurning() const {
    for (const Wheel& wheel : wheels_) {
        if (wheel.glide && wheel.glide->state() == QAbstractAnimation::Running) {
            return true;
        }
    }
    return dragging_ >= 0;
}

void WheelPicker::selectRow(int row, int component, bool animated) {
    if (component < 0 || component >= numberOfComponents()) {
        return;
    }
    Wheel& wheel = wheels_[static_cast<std::size_t>(component)];
    if (wheel.rows == 0) {
        return;
    }
    row = std::clamp(row, 0, wheel.rows - 1);
    if (animated) {
        glideTo(component, row, false);
        return;
    }
    wheel.glide->stop();
    wheel.offset = row * kRowHeight;
    update();
}

void WheelPicker::glideTo(int component, int row, bool report) {
    Wheel& wheel = wheels_[static_cast<std::size_t>(component)];
    wheel.glide->stop();
    wheel.glide->disconnect(this, nullptr);
    connect(wheel.glide, &QVariantAnimation::valueChanged, this,
            [this, component](const QVariant& v) {
                wheels_[static_cast<std::size_t>(component)].offset = v.toDouble();
                update();
            });
    if (report) {
        connect(wheel.glide, &QAbstractAnimation::finished, this, [this, row, component] {
            if (source_) {
                source_->didSelectRow(*this, row, component);
            }
        });
    }
    wheel.glide->setStartValue(wheel.offset);
    wheel.glide->setEndValue(row * 1.0 * kRowHeight);
    wheel.glide->start();
}

QRect WheelPicker::componentRect(int component) const {
    int total = 0;
    for (const Wheel& wheel : wheels_) {
        total += wheel.width + 4;
    }
    int x = (width() - total) / 2 + 2;
    for (int c = 0; c < component; ++c) {
        x += wheels_[static_cast<std::size_t>(c)].width + 4;
    }
    return QRect(x, 10, wheels_[static_cast<std::size_t>(component)].width, height() - 20);
}

int WheelPicker::componentAt(QPointF point) const {
    for (int c = 0; c < numberOfComponents(); ++c) {
        if (componentRect(c).contains(point.toPoint())) {
            return c;
        }
    }
    return -1;
}

void WheelPicker::mousePressEvent(QMouseEvent* event) {
    dragging_ = componentAt(event->position());
    if (dragging_ >= 0) {
        Wheel& wheel = wheels_[static_cast<std::size_t>(dragging_)];
        wheel.glide->stop();
        dragStartY_ = event->position().y();
        dragStartOffset_ = wheel.offset;
    }
}

void WheelPicker::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ < 0) {
        return;
    }
    Wheel& wheel = wheels_[static_cast<std::size_t>(dragging_)];
    const double limit = std::max(0, wheel.rows - 1) * 1.0 * kRowHeight;
    wheel.offset =
        std::clamp(dragStartOffset_ - (event->position().y() - dragStartY_), -30.0, limit + 30.0);
    update();
}

void WheelPicker::mouseReleaseEvent(QMouseEvent* event) {
    if (dragging_ < 0) {
        return;
    }
    const int component = std::exchange(dragging_, -1);
    Wheel& wheel = wheels_[static_cast<std::size_t>(component)];
    if (wheel.rows == 0) {
        return;
    }
    int row = static_cast<int>(std::lround(wheel.offset / kRowHeight));
    if (std::fabs(event->position().y() - dragStartY_) < 4) {
        // A tap above or below the band turns the wheel to the tapped row.
        row = static_cast<int>(
            std::lround((wheel.offset + event->position().y() - height() / 2.0) / kRowHeight));
    }
    glideTo(component, std::clamp(row, 0, wheel.rows - 1), true);
}

void WheelPicker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient frame(0, 0, 0, height());
    frame.setColorAt(0.0, QColor(0x4a, 0x44, 0x40));
    frame.setColorAt(0.5, QColor(0x2a, 0x26, 0x24));
    frame.setColorAt(1.0, QColor(0x4a, 0x44, 0x40));
    painter.fillRect(rect(), frame);
    QFont font;
    font.setPixelSize(22);
    font.setBold(true);
    painter.setFont(font);
    const double middle = height() / 2.0;
    for (int c = 0; c < numberOfComponents(); ++c) {
        const QRect box = componentRect(c);
        const Wheel& wheel = wheels_[static_cast<std::size_t>(c)];
        QLinearGradient drum(box.topLeft(), box.bottomLeft());
        drum.setColorAt(0.0, QColor(0x8a, 0x84, 0x7c));
        drum.setColorAt(0.15, QColor(0xf6, 0xf2, 0xea));
        drum.setColorAt(0.85, QColor(0xf6, 0xf2, 0xea));
        drum.setColorAt(1.0, QColor(0x8a, 0x84, 0x7c));
        painter.fillRect(box, drum);
        painter.save();
        painter.setClipRect(box);
        painter.setPen(QColor(0x2b, 0x1d, 0x12));
        for (int r = 0; r < wheel.rows; ++r) {
            const double y = middle + r * kRowHeight - wheel.offset;
            if (y < box.top() - kRowHeight || y > box.bottom() + kRowHeight) {
                continue;
            }
            const QRectF cell(box.left() + 8, y - kRowHeight / 2.0, box.width() - 16, kRowHeight);
            const QString title = source_ ? source_->titleForRow(*this, r, c) : QString();
            // A long title is set smaller, so that it stays whole on its wheel.
            painter.setFont(FittingFont::fitting(font, title, cell.width(), 13));
            painter.drawText(cell, Qt::AlignVCenter | Qt::AlignRight, title);
        }
        painter.restore();
        painter.setPen(QPen(QColor(0x1a, 0x16, 0x14), 1.0));
        painter.drawRect(QRectF(box).adjusted(-0.5, -0.5, 0.5, 0.5));
    }
    // The glass band over the selected rows.
    const QRectF band(4, middle - kRowHeight / 2.0, width() - 8, kRowHeight);
    QLinearGradient glass(band.topLeft(), band.bottomLeft());
    glass.setColorAt(0.0, QColor(0xff, 0xe8, 0xc8, 110));
    glass.setColorAt(0.5, QColor(0xd8, 0x9a, 0x50, 70));
    glass.setColorAt(1.0, QColor(0x9a, 0x60, 0x28, 90));
    painter.setPen(QPen(QColor(0x6b, 0x4a, 0x28, 200), 1.0));
    painter.setBrush(glass);
    painter.drawRoundedRect(band, 4, 4);
}
