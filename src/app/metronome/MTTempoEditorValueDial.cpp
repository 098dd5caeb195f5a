#include "MTTempoEditorValueDial.h"

#include "MTTempoEditor.h"
#include "foundation/TimerScheduler.h"
#include "ui/ScreenImage.h"

#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

MTTempoEditorValueDial::MTTempoEditorValueDial(fretkit::TimerScheduler& timers, QWidget* parent)
    : View(parent), timers_(timers) {}

MTTempoEditorValueDial::~MTTempoEditorValueDial() {
    stopInertia();
}

void MTTempoEditorValueDial::setOffset(std::int32_t offset) {
    if (model_.setOffset(offset)) {
        update();
    }
}

void MTTempoEditorValueDial::shift(float amount) {
    setOffset(static_cast<std::int32_t>(static_cast<float>(model_.offset()) + amount));
}

bool MTTempoEditorValueDial::isCoasting() const {
    return timer_ && timer_->isValid();
}

void MTTempoEditorValueDial::step(std::int32_t steps) {
    if (steps != 0 && editor_ != nullptr) {
        editor_->stepTempo(steps);
    }
}

void MTTempoEditorValueDial::touchesBegan(const Touch& touch) {
    stopInertia();
    model_.beginTouch(static_cast<float>(touch.location.x()), timers_.now());
}

void MTTempoEditorValueDial::touchesMoved(const Touch& touch) {
    const std::int32_t before = model_.offset();
    step(model_.moveTouch(static_cast<float>(touch.location.x()), timers_.now()));
    if (model_.offset() != before) {
        update();
    }
}

void MTTempoEditorValueDial::touchesEnded(const Touch& touch) {
    if (model_.endTouch(static_cast<float>(touch.location.x()), timers_.now())) {
        timer_ = timers_.scheduleRepeating(kStepInterval, [this] { inertia(); });
    }
}

void MTTempoEditorValueDial::touchesCancelled(const Touch& touch) {
    touchesEnded(touch);
}

void MTTempoEditorValueDial::inertia() {
    bool done = false;
    const std::int32_t before = model_.offset();
    const std::int32_t steps = model_.step(done);
    if (done) {
        stopInertia();
    }
    if (model_.offset() != before) {
        update();
    }
    step(steps);
}

void MTTempoEditorValueDial::stopInertia() {
    if (timer_) {
        timer_->invalidate();
        timer_.reset();
    }
}

void MTTempoEditorValueDial::wheelEvent(QWheelEvent* event) {
    const int notches = MTTempoEditor::wheelNotches(*event, wheelDelta_);
    event->accept();
    if (notches != 0) {
        stopInertia();
        shift(MTTempoDialModel::kStepLength * static_cast<float>(notches));
        step(notches);
    }
}

void MTTempoEditorValueDial::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap notch = ScreenImage::load(QStringLiteral("MTTempoEditor_notch"));
    if (notch.isNull()) {
        return;
    }
    const QSizeF size = notch.deviceIndependentSize();
    const double maxX = width();
    const double sector = M_PI / 8.0; // notches sit 22.5 degrees apart on the cylinder
    for (double a = M_PI - (model_.offset() / 40.0) * sector; a > 0.0; a -= sector) {
        if (a > M_PI) {
            continue;
        }
        painter.setOpacity(std::clamp(4.0 * (M_PI - a) / M_PI, 0.0, 1.0));
        painter.drawPixmap(QRectF(QPointF(maxX * (1.0 + std::cos(a)) / 2.0, 0.0), size), notch,
                           QRectF(notch.rect()));
    }
}
