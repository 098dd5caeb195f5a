#include "BZString.h"

#include "NeckFrame.h"
#include "ui/ScreenImage.h"

#include <QPainter>

BZString::BZString(int gauge) : gauge_(gauge) {}

QPixmap BZString::image() const {
    // Looked up at each use (the bundle caches it), so a change of the window's scale takes the
    // other artwork.
    return image_.isNull() ? ScreenImage::load(QStringLiteral("BZString_%1").arg(gauge_)) : image_;
}

void BZString::setImage(const QPixmap& image) {
    image_ = image;
}

void BZString::draw(QPainter& painter) const {
    draw(NeckFrame(painter, NeckFrame::Turn::Upright, {}));
}

void BZString::draw(const NeckFrame& frame) const {
    QPainter& painter = frame.painter();
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setOpacity(muted_ ? kMutedOpacity : 1.0);
    const double position = position_;
    const double offset = kImageOffset;
    frame.drawPixmap(QPointF(position - offset, 0.0), image());
    painter.restore();
}
