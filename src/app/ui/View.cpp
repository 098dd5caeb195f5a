#include "View.h"

#include <QGraphicsOpacityEffect>
#include <QMouseEvent>
#include <QPainter>
#include <chrono>
#include <cmath>

namespace {

double now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

View::View(QWidget* parent) : QWidget(parent) {}

void View::setAlpha(QWidget* widget, double alpha) {
    alpha = std::clamp(alpha, 0.0, 1.0);
    if (auto* view = dynamic_cast<View*>(widget); view && view->paintsOwnAlpha_) {
        if (view->ownAlpha_ != alpha) {
            view->ownAlpha_ = alpha;
            view->update();
        }
        return;
    }
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(widget->graphicsEffect());
    if (alpha >= 1.0) {
        if (effect) {
            widget->setGraphicsEffect(nullptr); // opaque views draw without the extra pass
        }
        return;
    }
    if (!effect) {
        effect = new QGraphicsOpacityEffect(widget);
        widget->setGraphicsEffect(effect);
    }
    effect->setOpacity(alpha);
}

double View::alpha(const QWidget* widget) {
    if (const auto* view = dynamic_cast<const View*>(widget); view && view->paintsOwnAlpha_) {
        return view->ownAlpha_;
    }
    const auto* effect = qobject_cast<const QGraphicsOpacityEffect*>(widget->graphicsEffect());
    return effect ? effect->opacity() : 1.0;
}

void View::applyAlpha(QPainter& painter) const {
    painter.setOpacity(painter.opacity() * ownAlpha_);
}

void View::setRotation(double radians) {
    if (rotation_ != radians) {
        rotation_ = radians;
        update();
    }
}

void View::applyRotation(QPainter& painter) const {
    if (rotation_ == 0.0) {
        return;
    }
    const QPointF centre = QRectF(rect()).center();
    painter.translate(centre);
    painter.rotate(rotation_ * 180.0 / M_PI);
    painter.translate(-centre);
}

Touch View::touchAt(QPointF location) {
    Touch touch{location, tracking_ ? lastLocation_ : location, now()};
    lastLocation_ = location;
    return touch;
}

void View::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || tracking_) {
        event->ignore();
        return;
    }
    const Touch touch = touchAt(event->position());
    tracking_ = true;
    touchesBegan(touch);
}

void View::mouseMoveEvent(QMouseEvent* event) {
    if (!tracking_) {
        event->ignore();
        return;
    }
    touchesMoved(touchAt(event->position()));
}

void View::mouseReleaseEvent(QMouseEvent* event) {
    if (!tracking_ || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const Touch touch = touchAt(event->position());
    tracking_ = false;
    touchesEnded(touch);
}

void View::hideEvent(QHideEvent* event) {
    if (tracking_) {
        const Touch touch = touchAt(lastLocation_);
        tracking_ = false;
        touchesCancelled(touch);
    }
    QWidget::hideEvent(event);
}
