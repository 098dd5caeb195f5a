#include "MTMainButton.h"

#include "ui/ScreenImage.h"

#include <QPainter>
#include <QPainterPath>

MTMainButton::MTMainButton(QString image, QString title, QWidget* parent)
    : QAbstractButton(parent), image_(std::move(image)), title_(std::move(title)) {
    setFocusPolicy(Qt::NoFocus);
    QFont font = this->font();
    font.setBold(true);
    font.setPixelSize(20);
    setFont(font);
}

void MTMainButton::setSelectedImage(QString image, QString title) {
    selectedImage_ = std::move(image);
    selectedTitle_ = std::move(title);
}

void MTMainButton::setSelected(bool selected) {
    if (selected_ != selected) {
        selected_ = selected;
        update();
    }
}

void MTMainButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const bool showSelected = selected_ && !selectedImage_.isEmpty();
    ScreenImage::drawStretched(painter, rect(),
                               ScreenImage::load(showSelected ? selectedImage_ : image_), kCap);
    if (isDown()) { // pressed: the face sinks into shade
        QPainterPath face;
        face.addRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -2.5), 8, 8);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(face, QColor(0, 0, 0, 70));
    }
    const QString title = currentTitle();
    const QRect text = rect().translated(0, isDown() ? 1 : 0);
    painter.setPen(QColor(0, 0, 0, 150));
    painter.drawText(text.translated(0, -1), Qt::AlignCenter, title);
    painter.setPen(QColor(0xfb, 0xf3, 0xe0));
    painter.drawText(text, Qt::AlignCenter, title);
}
