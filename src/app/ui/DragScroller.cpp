#include "DragScroller.h"

#include <QAbstractScrollArea>
#include <QLineF>
#include <QMouseEvent>
#include <QScrollBar>
#include <cmath>

namespace {

constexpr double kStillAfter = 0.1; // seconds without a move before letting go: no coasting
constexpr double kStoppedSpeed = 20.0;

} // namespace

DragScroller::DragScroller(QAbstractScrollArea* area) : QObject(area), area_(area) {
    clock_.start();
    coast_.setInterval(16);
    connect(&coast_, &QTimer::timeout, this, &DragScroller::coastStep);
}

void DragScroller::watch(QWidget* widget) {
    widget->removeEventFilter(this); // watched once, however often the table is reloaded
    widget->installEventFilter(this);
}

void DragScroller::scrollTo(double value) {
    QScrollBar* bar = area_->verticalScrollBar();
    bar->setValue(static_cast<int>(
        std::lround(std::clamp(value, double(bar->minimum()), double(bar->maximum())))));
}

bool DragScroller::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease) {
        return false;
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    const double now = static_cast<double>(clock_.nsecsElapsed()) * 1e-9;
    const double y = mouse->globalPosition().y();
    if (type == QEvent::MouseButtonPress) {
        if (mouse->button() == Qt::LeftButton) {
            // A finger on a coasting list holds it; that press is the scroller's, not a tap.
            const bool caught = coast_.isActive();
            coast_.stop();
            pressed_ = qobject_cast<QWidget*>(watched);
            dragging_ = caught;
            pressAt_ = mouse->globalPosition();
            pressValue_ = area_->verticalScrollBar()->value();
            sampleTime_[0] = sampleTime_[1] = now;
            sampleY_[0] = sampleY_[1] = y;
            return caught;
        }
        return false;
    }
    if (!pressed_ || watched != pressed_.data()) {
        return false;
    }
    if (type == QEvent::MouseMove) {
        if (!(mouse->buttons() & Qt::LeftButton)) {
            return false;
        }
        if (!dragging_ && QLineF(pressAt_, mouse->globalPosition()).length() > kSlop) {
            dragging_ = true;
            emit dragStarted(pressed_);
        }
        if (!dragging_) {
            return false;
        }
        sampleTime_[0] = sampleTime_[1];
        sampleY_[0] = sampleY_[1];
        sampleTime_[1] = now;
        sampleY_[1] = y;
        scrollTo(pressValue_ - (y - pressAt_.y()));
        return true;
    }
    if (mouse->button() != Qt::LeftButton) {
        return false;
    }
    pressed_ = nullptr;
    if (!dragging_) {
        return false; // a tap: the widget has its release
    }
    dragging_ = false;
    const double span = sampleTime_[1] - sampleTime_[0];
    velocity_ = span > 0.0 && now - sampleTime_[1] < kStillAfter
                    ? -(sampleY_[1] - sampleY_[0]) / span
                    : 0.0;
    if (std::fabs(velocity_) >= kFlickSpeed) {
        position_ = area_->verticalScrollBar()->value();
        lastStep_ = now;
        coast_.start();
    }
    return true;
}

void DragScroller::coastStep() {
    const double now = static_cast<double>(clock_.nsecsElapsed()) * 1e-9;
    const double dt = std::max(0.0, now - lastStep_);
    lastStep_ = now;
    position_ += velocity_ * dt;
    velocity_ *= std::exp(-kDeceleration * dt);
    scrollTo(position_);
    const QScrollBar* bar = area_->verticalScrollBar();
    const bool atEnd = (velocity_ > 0 && bar->value() >= bar->maximum()) ||
                       (velocity_ < 0 && bar->value() <= bar->minimum());
    if (atEnd || std::fabs(velocity_) < kStoppedSpeed) {
        coast_.stop();
    }
}
