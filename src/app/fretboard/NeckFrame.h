#pragma once

#include <QPixmap>
#include <QSizeF>

class QPainter;

// Where the neck's pictures go: they are laid out across (x) and along (y) as on an upright
// neck. On a neck lying on its side the wood is turned a quarter anticlockwise, and the strings a
// quarter clockwise and drawn from the far end, as if the painter were turned; each picture is
// turned once instead and kept, so that it is copied straight, which costs a fraction of drawing
// it turned.
class NeckFrame {
public:
    enum class Turn { Upright, Anticlockwise, Clockwise };

    // `upright`: the neck's extent as an upright neck (240 x 1340).
    NeckFrame(QPainter& painter, Turn turn, QSizeF upright);

    void drawPixmap(QPointF at, const QPixmap& image) const;
    void drawEllipse(const QRectF& rect) const;
    QPainter& painter() const { return painter_; }

    // The picture turned a quarter (or not), kept for later calls.
    static QPixmap turned(const QPixmap& image, Turn turn);

private:
    QRectF place(const QRectF& rect) const;

    QPainter& painter_;
    Turn turn_;
    QSizeF upright_;
};
