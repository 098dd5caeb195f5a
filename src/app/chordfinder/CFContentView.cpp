#include "CFContentView.h"

#include "fretboard/BZFretboard.h"
#include "ui/ScreenImage.h"

#include <QPainter>

CFContentView::CFContentView(QWidget* parent) : View(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CFContentView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x1e, 0x14, 0x0e)); // dark wood, should the artwork be missing
    painter.drawPixmap(QPointF(0, 0), ScreenImage::load(QStringLiteral("CFMain_background")));
}

void CFContentView::touchesBegan(const Touch& touch) {
    if (fretboard_) {
        fretboard_->touchesBegan(touch, *this);
    }
}

void CFContentView::touchesMoved(const Touch& touch) {
    if (fretboard_) {
        fretboard_->touchesMoved(touch, *this);
    }
}

void CFContentView::touchesEnded(const Touch& touch) {
    if (fretboard_) {
        fretboard_->touchesEnded(touch, *this);
    }
}

void CFContentView::touchesCancelled(const Touch& touch) {
    if (fretboard_) {
        fretboard_->touchesCancelled(touch, *this);
    }
}
