#include "NeckFrame.h"

#include <QHash>
#include <QPainter>
#include <QTransform>

NeckFrame::NeckFrame(QPainter& painter, Turn turn, QSizeF upright)
    : painter_(painter), turn_(turn), upright_(upright) {}

QRectF NeckFrame::place(const QRectF& rect) const {
    switch (turn_) {
    case Turn::Upright:
        return rect;
    case Turn::Anticlockwise: // (x, y) goes to (y, short side - x)
        return {rect.y(), upright_.width() - rect.x() - rect.width(), rect.height(), rect.width()};
    case Turn::Clockwise: // (x, y) goes to (length - y, x)
        return {upright_.height() - rect.y() - rect.height(), rect.x(), rect.height(),
                rect.width()};
    }
    return rect;
}

void NeckFrame::drawPixmap(QPointF at, const QPixmap& image) const {
    if (image.isNull()) {
        return;
    }
    const QPixmap picture = turned(image, turn_);
    painter_.drawPixmap(place(QRectF(at, image.deviceIndependentSize())).topLeft(), picture);
}

void NeckFrame::drawEllipse(const QRectF& rect) const {
    painter_.drawEllipse(place(rect));
}

QPixmap NeckFrame::turned(const QPixmap& image, Turn turn) {
    if (turn == Turn::Upright || image.isNull()) {
        return image;
    }
    static QHash<QPair<qint64, int>, QPixmap> kept;
    const QPair<qint64, int> key(image.cacheKey(), static_cast<int>(turn));
    if (auto it = kept.constFind(key); it != kept.constEnd()) {
        return it.value();
    }
    QPixmap picture =
        image.transformed(QTransform().rotate(turn == Turn::Clockwise ? 90.0 : -90.0));
    picture.setDevicePixelRatio(image.devicePixelRatio());
    kept.insert(key, picture);
    return picture;
}
