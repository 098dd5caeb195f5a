#include "DFDealerHeaderMapView.h"

#include "ui/ScreenImage.h"

#include <QPainter>

DFDealerHeaderMapView::DFDealerHeaderMapView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void DFDealerHeaderMapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(QPointF(0, 0), ScreenImage::load(QStringLiteral("DFDealer_pin")));
    painter.setPen(QPen(Qt::gray, 1.0));
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}
