#include "ChordsArtwork.h"

#include "Materials.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

constexpr QSize kBackground(320, 416);
constexpr QSize kPlate(312, 52);
constexpr QSize kStepButton(40, 40);

// Rosewood darkening towards the bottom and the edges, so that the maple neck stands out.
void background(QPainter& painter) {
    const QRectF all(QPointF(0, 0), QSizeF(kBackground));
    QPainterPath shape;
    shape.addRect(all);
    Materials::rosewood(painter, shape, all);
    QLinearGradient fall(all.topLeft(), all.bottomLeft());
    fall.setColorAt(0.0, QColor(0, 0, 0, 40));
    fall.setColorAt(0.3, QColor(0, 0, 0, 110));
    fall.setColorAt(1.0, QColor(0, 0, 0, 170));
    painter.fillRect(all, fall);
    QRadialGradient vignette(all.center(), all.height() * 0.7);
    vignette.setColorAt(0.55, QColor(0, 0, 0, 0));
    vignette.setColorAt(1.0, QColor(0, 0, 0, 120));
    painter.fillRect(all, vignette);
}

// A brass rim around a black lacquered face, with the face's soft sheen and an inner shadow.
void namePlate(QPainter& painter) {
    const QRectF outer = QRectF(QPointF(0, 0), QSizeF(kPlate)).adjusted(1, 1, -1, -2);
    QPainterPath shadow;
    shadow.addRoundedRect(outer.translated(0, 1.5), 12, 12);
    painter.fillPath(shadow, QColor(0, 0, 0, 110));
    QPainterPath rim;
    rim.addRoundedRect(outer, 12, 12);
    Materials::brass(painter, rim, outer);
    const QRectF inner = outer.adjusted(2.5, 2.5, -2.5, -2.5);
    QPainterPath face;
    face.addRoundedRect(inner, 9.5, 9.5);
    QLinearGradient lacquer(inner.topLeft(), inner.bottomLeft());
    lacquer.setColorAt(0.0, QColor(0x2a, 0x22, 0x1c));
    lacquer.setColorAt(0.5, QColor(0x14, 0x10, 0x0c));
    lacquer.setColorAt(1.0, QColor(0x0a, 0x08, 0x06));
    painter.fillPath(face, lacquer);
    Materials::gloss(painter, face, inner, 34);
    painter.save();
    painter.setClipPath(face);
    painter.setPen(QPen(QColor(0, 0, 0, 160), 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(inner.translated(0, 1.2), 9.5, 9.5);
    painter.restore();
    painter.setPen(QPen(QColor(0x3a, 0x24, 0x0c), 0.8));
    painter.drawRoundedRect(outer.adjusted(0.4, 0.4, -0.4, -0.4), 12, 12);
}

// A round rosewood button with a brass rim and a cream arrowhead pointing back or on.
void stepButton(QPainter& painter, bool next) {
    const QPointF centre(20, 19.5);
    QPainterPath shadow;
    shadow.addEllipse(centre + QPointF(0, 1.5), 18.5, 18.5);
    painter.fillPath(shadow, QColor(0, 0, 0, 110));
    QPainterPath rim;
    rim.addEllipse(centre, 18.5, 18.5);
    Materials::brass(painter, rim, rim.boundingRect());
    QPainterPath face;
    face.addEllipse(centre, 15.5, 15.5);
    Materials::rosewood(painter, face, face.boundingRect());
    Materials::gloss(painter, face, face.boundingRect(), 60);
    const double side = next ? 1.0 : -1.0;
    QPainterPath head;
    head.moveTo(centre + QPointF(-3.5 * side, -7.0));
    head.lineTo(centre + QPointF(4.5 * side, 0.0));
    head.lineTo(centre + QPointF(-3.5 * side, 7.0));
    painter.setPen(QPen(QColor(0, 0, 0, 150), 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(head.translated(0, 1));
    painter.setPen(QPen(QColor(0xf6, 0xea, 0xcc), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(head);
    painter.setPen(QPen(QColor(0x3a, 0x24, 0x0c), 0.8));
    painter.drawEllipse(centre, 18.1, 18.1);
}

} // namespace

std::vector<ArtworkImage> ChordsArtwork::images() {
    return {
        {QStringLiteral("CHMainController_background"), kBackground, background},
        {QStringLiteral("CHMainController_namePanel"), kPlate, namePlate},
        {QStringLiteral("CHMainController_previous"), kStepButton,
         [](QPainter& p) { stepButton(p, false); }},
        {QStringLiteral("CHMainController_next"), kStepButton,
         [](QPainter& p) { stepButton(p, true); }},
    };
}
