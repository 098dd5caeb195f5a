#include "ChordFinderArtwork.h"

#include "Materials.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kCream(0xf4, 0xe8, 0xcc);

// Dark rosewood under a vignette that darkens towards the bottom and the sides, so the maple neck
// and the cream titles stand out; a thin brass line under the navigation bar.
void background(QPainter& painter) {
    const QRectF page(0, 0, 320, 416);
    QPainterPath shape;
    shape.addRect(page);
    Materials::rosewood(painter, shape, page);
    QLinearGradient dusk(page.topLeft(), page.bottomLeft());
    dusk.setColorAt(0.0, QColor(0, 0, 0, 40));
    dusk.setColorAt(0.25, QColor(0, 0, 0, 90));
    dusk.setColorAt(1.0, QColor(0, 0, 0, 170));
    painter.fillRect(page, dusk);
    for (const bool left : {true, false}) {
        const QRectF side = left ? QRectF(0, 0, 60, 416) : QRectF(260, 0, 60, 416);
        QLinearGradient edge(left ? side.topLeft() : side.topRight(),
                             left ? side.topRight() : side.topLeft());
        edge.setColorAt(0.0, QColor(0, 0, 0, 110));
        edge.setColorAt(1.0, QColor(0, 0, 0, 0));
        painter.fillRect(side, edge);
    }
    QPainterPath line;
    line.addRect(QRectF(0, 0, 320, 1.5));
    Materials::brass(painter, line, line.boundingRect());
}

// A brass-rimmed plate of black lacquer, its face sunk a little, for the chord's name.
void chordPanel(QPainter& painter) {
    const QRectF plate(1, 1, 298, 45);
    QPainterPath rim;
    rim.addRoundedRect(plate, 10, 10);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawPath(rim.translated(0, 1.5));
    Materials::brass(painter, rim, plate);
    const QRectF inner = plate.adjusted(2.5, 2.5, -2.5, -2.5);
    QPainterPath face;
    face.addRoundedRect(inner, 8, 8);
    QLinearGradient lacquer(inner.topLeft(), inner.bottomLeft());
    lacquer.setColorAt(0.0, QColor(0x0c, 0x08, 0x06));
    lacquer.setColorAt(0.55, QColor(0x1c, 0x12, 0x0c));
    lacquer.setColorAt(1.0, QColor(0x2a, 0x1c, 0x12));
    painter.fillPath(face, lacquer);
    // The inner shadow of a sunk face, and the gloss of the lacquer.
    painter.setPen(QPen(QColor(0, 0, 0, 150), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(inner.adjusted(0.75, 0.75, -0.75, -0.75), 7.5, 7.5);
    Materials::gloss(painter, face, inner, 22);
    painter.setPen(QPen(QColor(0x3a, 0x22, 0x0c), 0.8));
    painter.drawPath(rim);
}

// A brass disc with a question mark in cream, the twin of the about button.
void hintButton(QPainter& painter) {
    Materials::brassButton(painter, QRectF(2, 2, 26, 26));
    QPainterPath hook;
    hook.moveTo(11.4, 11.6);
    hook.cubicTo(11.4, 7.6, 18.8, 7.4, 18.8, 11.4);
    hook.cubicTo(18.8, 14.2, 15.0, 14.6, 15.0, 17.6);
    painter.setPen(QPen(QColor(0, 0, 0, 110), 2.8, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(hook.translated(0, 0.6));
    painter.setPen(QPen(kCream, 2.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(hook);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kCream);
    painter.drawEllipse(QPointF(15.0, 21.4), 1.7, 1.7);
}

} // namespace

std::vector<ArtworkImage> ChordFinderArtwork::images() {
    return {
        {QStringLiteral("CFMain_background"), {320, 416}, background},
        {QStringLiteral("CFMain_chordPanel"), {300, 48}, chordPanel},
        {QStringLiteral("CFMain_hint"), {30, 30}, hintButton},
    };
}
