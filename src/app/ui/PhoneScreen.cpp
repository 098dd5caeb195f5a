#include "PhoneScreen.h"

#include <QLinearGradient>
#include <QPainter>

PhoneScreen::PhoneScreen(int scale, QWidget* parent) : QWidget(parent), scale_(scale) {
    setFixedSize(kWidth * scale_, kHeight * scale_);
}

void PhoneScreen::setTitle(const QString& title) {
    title_ = title;
    update();
}

void PhoneScreen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale_, scale_);

    painter.fillRect(QRect(0, 0, kWidth, kHeight), QColor(0xdb, 0xe2, 0xea));

    QLinearGradient bar(0, 0, 0, kBarHeight);
    bar.setColorAt(0.0, QColor(0x4a, 0x5c, 0x74));
    bar.setColorAt(1.0, QColor(0x23, 0x30, 0x42));
    painter.fillRect(QRect(0, 0, kWidth, kBarHeight), bar);

    QFont font = painter.font();
    font.setPixelSize(20);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, kWidth, kBarHeight), Qt::AlignCenter, title_);
}
