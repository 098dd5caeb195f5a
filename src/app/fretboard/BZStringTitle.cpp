#include "BZStringTitle.h"

#include "ui/ScreenImage.h"

#include <QPainter>

BZStringTitle::BZStringTitle(QWidget* parent) : QAbstractButton(parent) {
    resize(kSize, kSize);
    QFont font;
    font.setPixelSize(14);
    font.setBold(true);
    setFont(font);
}

void BZStringTitle::setIsRoot(bool isRoot) {
    isRoot_ = isRoot;
    update();
}

void BZStringTitle::setIsOpen(bool isOpen) {
    isOpen_ = isOpen;
    update();
}

void BZStringTitle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isRoot_) {
        painter.drawPixmap(QPointF(kRootInset, kRootInset),
                           ScreenImage::load(QStringLiteral("BZStringTitle_isRoot_background")));
    }
    if (isOpen_) {
        painter.setPen(QPen(QColor(0x9a, 0x9a, 0x9a), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(
            QRectF(rect()).adjusted(kOpenInset, kOpenInset, -kOpenInset, -kOpenInset));
    }
    // The title, over a dark shadow so that it reads on wood and on the root disc alike.
    painter.setFont(font());
    const QRectF box = QRectF(rect()).translated(0, isDown() ? 1 : 0);
    painter.setPen(QColor(0, 0, 0, 170));
    painter.drawText(box.translated(0, 1), Qt::AlignCenter, text());
    painter.setPen(isEnabled() ? QColor(0xf6, 0xee, 0xdc) : QColor(0xf6, 0xee, 0xdc, 110));
    painter.drawText(box, Qt::AlignCenter, text());
}
