#include "TNLED.h"

#include "ui/ScreenImage.h"

#include <QPainter>

TNLED::TNLED(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TNLED::setIsOn(bool on) {
    if (on == isOn_) {
        return;
    }
    isOn_ = on;
    update();
}

void TNLED::paintEvent(QPaintEvent*) {
    if (!isOn_) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), ScreenImage::load(QStringLiteral("TNLED_on")));
}
