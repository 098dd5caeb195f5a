#include "TNBackground.h"

#include "ui/ScreenImage.h"

#include <QPainter>

TNBackground::TNBackground(QString image, QWidget* parent)
    : QWidget(parent), image_(std::move(image)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TNBackground::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), ScreenImage::load(image_));
}
