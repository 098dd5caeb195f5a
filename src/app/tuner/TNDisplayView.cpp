#include "TNDisplayView.h"

#include "tuner/TNNoteGlyph.h"
#include "ui/ScreenImage.h"

#include <QPainter>

TNDisplayView::TNDisplayView(fretkit::TimerScheduler& scheduler, double tickInterval,
                             QString prefix, QWidget* parent)
    : QWidget(parent), scheduler_(scheduler), tickInterval_(tickInterval),
      prefix_(std::move(prefix)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

TNDisplayView::~TNDisplayView() {
    stop();
}

void TNDisplayView::start() {
    if (!timer_) {
        timer_ = scheduler_.scheduleRepeating(tickInterval_, [this] { refresh(); });
    }
}

void TNDisplayView::stop() {
    if (timer_) {
        timer_->invalidate();
        timer_.reset();
    }
}

void TNDisplayView::showGlyph(const std::optional<TNNote>& note) {
    const std::optional<TNNoteGlyph> glyph = TNNoteGlyph::forNote(note);
    letterImage_ = glyph ? prefix_ + QString::fromStdString(glyph->letter) : QString();
    sharpShown_ = glyph && glyph->sharp;
}

void TNDisplayView::drawGlyph(QPainter& painter, QPointF centre) const {
    if (letterImage_.isEmpty()) {
        return;
    }
    const QPixmap image = ScreenImage::load(letterImage_);
    const QPixmap sign =
        sharpShown_ ? ScreenImage::load(prefix_ + QStringLiteral("sharp")) : QPixmap();
    const QSizeF size = image.deviceIndependentSize();
    const double shift = sign.deviceIndependentSize().width() / 2.0;
    const QRectF box(centre.x() - shift - size.width() / 2.0, centre.y() - size.height() / 2.0,
                     size.width(), size.height());
    painter.drawPixmap(box.topLeft(), image);
    if (!sign.isNull()) {
        painter.drawPixmap(QPointF(box.right(), box.top()), sign);
    }
}
