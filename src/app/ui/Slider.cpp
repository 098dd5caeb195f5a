#include "Slider.h"

namespace {
constexpr int kSteps = 1000;
}

Slider::Slider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setRange(0, kSteps);
    setStyleSheet(QStringLiteral(
        "QSlider::groove:horizontal{height:6px;border-radius:3px;background:#c9bfae;"
        "border:1px solid #6b5a48;}"
        "QSlider::sub-page:horizontal{border-radius:3px;background:qlineargradient(x1:0,y1:0,"
        "x2:0,y2:1,stop:0 #c8843a,stop:1 #8a501c);border:1px solid #6b4a28;}"
        "QSlider::handle:horizontal{width:21px;margin:-8px 0;border-radius:10px;"
        "background:qlineargradient(x1:0,y1:0,x2:0,y2:1,stop:0 #fbfbf9,stop:1 #aaa6a0);"
        "border:1px solid #5a524a;}"));
    // Actions come only from the user (drags, clicks, keys); the value is set after them.
    connect(this, &QSlider::actionTriggered, this, [this] {
        QMetaObject::invokeMethod(
            this, [this] { emit movedByUser(floatValue()); }, Qt::QueuedConnection);
    });
}

float Slider::floatValue() const {
    return static_cast<float>(value()) / static_cast<float>(kSteps);
}

void Slider::setFloatValue(float value) {
    setValue(static_cast<int>(std::clamp(value, 0.0f, 1.0f) * kSteps + 0.5f));
}
