#include "TNStrobeView.h"

#include "ui/ScreenImage.h"

#include <QPainter>

TNStrobeView::TNStrobeView(fretkit::TimerScheduler& scheduler, QWidget* parent)
    : TNDisplayView(scheduler, TNStrobeMotion::kTickInterval, QStringLiteral("TNStrobe_"), parent) {
}

void TNStrobeView::input(const std::optional<TNNote>& note) {
    motion_.input(note);
    showGlyph(note);
    update();
}

void TNStrobeView::refresh() {
    motion_.refresh();
    update();
}

QString TNStrobeView::ringImage() const {
    switch (motion_.ring()) {
    case TNStrobeMotion::Ring::Green:
        return QStringLiteral("TNStrobe_ring_green");
    case TNStrobeMotion::Ring::Blue:
        return QStringLiteral("TNStrobe_ring_blue");
    case TNStrobeMotion::Ring::Gray:
        break;
    }
    return QStringLiteral("TNStrobe_ring_gray");
}

void TNStrobeView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const QPointF centre = QRectF(rect()).center();
    const QPixmap ring = ScreenImage::load(ringImage());
    if (!ring.isNull()) {
        const QSizeF size = ring.deviceIndependentSize();
        painter.save();
        painter.translate(centre);
        painter.rotate(static_cast<double>(motion_.rotation()));
        painter.drawPixmap(QPointF(-size.width() / 2.0, -size.height() / 2.0), ring);
        painter.restore();
    }
    drawGlyph(painter, centre);
}
