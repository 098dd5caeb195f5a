#include "LocatorArtwork.h"

#include "Materials.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

const QColor kCream(0xf4, 0xe8, 0xcc);
const QColor kInk(0x3a, 0x22, 0x0c);

void outline(QPainter& painter, const QPainterPath& shape, const QColor& colour, double width) {
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
}

void shadow(QPainter& painter, const QPainterPath& shape, QPointF offset, int alpha) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, alpha));
    painter.drawPath(shape.translated(offset));
}

// A brass arrowhead pointing north-east, as a compass needle points the way: "where am I".
void locationButton(QPainter& painter) {
    QPainterPath arrow;
    arrow.moveTo(24.5, 5.5);
    arrow.lineTo(15.5, 25.5);
    arrow.lineTo(13.2, 16.8);
    arrow.lineTo(4.5, 14.5);
    arrow.closeSubpath();
    shadow(painter, arrow, QPointF(0, 1), 110);
    Materials::brass(painter, arrow, arrow.boundingRect());
    Materials::gloss(painter, arrow, arrow.boundingRect(), 70);
    outline(painter, arrow, kInk, 0.9);
}

// A lacquered pin whose point is the centre of the 63-point map it stands on.
void dealerPin(QPainter& painter) {
    const QPointF tip(31.5, 31.5);
    QPainterPath pin;
    pin.moveTo(tip);
    pin.cubicTo(tip + QPointF(-3.5, -6), tip + QPointF(-7.5, -10), tip + QPointF(-7.5, -15));
    pin.arcTo(QRectF(tip.x() - 7.5, tip.y() - 22.5, 15, 15), 180, -180);
    pin.cubicTo(tip + QPointF(7.5, -10), tip + QPointF(3.5, -6), tip);
    pin.closeSubpath();
    // The shadow falls on the map, away from the light.
    painter.save();
    painter.translate(tip);
    painter.shear(0.9, 0);
    painter.scale(1.0, 0.45);
    painter.translate(-tip);
    shadow(painter, pin, QPointF(0, 0), 70);
    painter.restore();
    Materials::lacquerRed(painter, pin, pin.boundingRect());
    Materials::gloss(painter, pin, pin.boundingRect(), 80);
    outline(painter, pin, QColor(0x3c, 0x06, 0x04), 0.8);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kCream);
    painter.drawEllipse(tip + QPointF(0, -15), 2.8, 2.8);
}

// Head and shoulders in cream on rosewood: a teacher without a photo.
void teacherPlaceholder(QPainter& painter) {
    const QRectF tile(0, 0, 64, 64);
    QPainterPath back;
    back.addRect(tile);
    Materials::rosewood(painter, back, tile);
    QPainterPath figure;
    figure.addEllipse(QPointF(32, 25), 10.5, 11.5);
    QPainterPath shoulders;
    shoulders.addEllipse(QRectF(11, 40, 42, 40));
    figure = figure.united(shoulders).intersected(back);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xd9, 0xc4, 0xa4, 215));
    painter.drawPath(figure);
    Materials::gloss(painter, back, tile, 30);
}

// The instruments, drawn with the neck pointing up from a body centred at the origin, then
// turned to lie across their square.
struct Instrument {
    QPainterPath body;
    double neckLength;
    double neckWidth;
    bool lacquered; // an electric's painted body rather than a wooden top
    bool drum;      // a banjo's skin and rim
    double soundHole;
    double size = 1.0; // against the others: a ukulele is smaller than a guitar
};

QPainterPath figureEight(double lower, double upper, double waist) {
    QPainterPath body;
    body.addEllipse(QPointF(0, waist * 0.55), lower, lower * 0.95);
    QPainterPath top;
    top.addEllipse(QPointF(0, -waist * 0.5), upper, upper * 0.92);
    return body.united(top);
}

void instrument(QPainter& painter, const Instrument& kind) {
    painter.save();
    painter.translate(18.5, 18.5);
    painter.rotate(40);
    const double length = kind.neckLength + kind.body.boundingRect().height();
    const double scale = 33.0 / length * kind.size;
    painter.scale(scale, scale);
    painter.translate(0, kind.neckLength / 2.0 - kind.body.boundingRect().bottom() / 2.0 + 2.0);

    const double bodyTop = kind.body.boundingRect().top();
    QPainterPath neck;
    neck.addRect(QRectF(-kind.neckWidth / 2.0, bodyTop - kind.neckLength + 5.0, kind.neckWidth,
                        kind.neckLength));
    QPainterPath head;
    head.addRoundedRect(
        QRectF(-kind.neckWidth * 0.85, bodyTop - kind.neckLength - 1.5, kind.neckWidth * 1.7, 7.5),
        1.5, 1.5);
    shadow(painter, kind.body.united(neck).united(head), QPointF(0.8, 1.2), 70);

    if (kind.lacquered) {
        Materials::lacquerRed(painter, kind.body, kind.body.boundingRect());
    } else if (kind.drum) {
        Materials::nickel(painter, kind.body, kind.body.boundingRect());
        QPainterPath skin;
        const QRectF inner = kind.body.boundingRect().adjusted(2.2, 2.2, -2.2, -2.2);
        skin.addEllipse(inner);
        painter.fillPath(skin, QColor(0xf2, 0xe8, 0xd2));
    } else {
        Materials::brass(painter, kind.body, kind.body.boundingRect());
    }
    outline(painter, kind.body, kInk, 0.9);
    if (kind.soundHole > 0) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x2a, 0x16, 0x0c));
        painter.drawEllipse(QPointF(0, -1.0), kind.soundHole, kind.soundHole);
    }
    Materials::rosewood(painter, neck, neck.boundingRect());
    outline(painter, neck, kInk, 0.7);
    Materials::rosewood(painter, head, head.boundingRect());
    outline(painter, head, kInk, 0.7);
    // The strings, from the bridge to the nut.
    painter.setPen(QPen(QColor(0xf0, 0xf0, 0xea, 200), 0.5));
    const double bridge = kind.body.boundingRect().bottom() - 5.0;
    for (const double x : {-kind.neckWidth * 0.25, kind.neckWidth * 0.25}) {
        painter.drawLine(QPointF(x, bridge), QPointF(x, bodyTop - kind.neckLength + 5.5));
    }
    painter.restore();
}

Instrument guitar() {
    return {figureEight(9.5, 7.5, 11), 22, 3.4, false, false, 3.0};
}

Instrument bass() {
    QPainterPath body = figureEight(9.0, 6.5, 10);
    QPainterPath horn;
    horn.addEllipse(QPointF(-4.5, -9), 2.6, 5.5);
    body = body.united(horn);
    return {body, 30, 3.0, true, false, 0.0};
}

Instrument mandolin() {
    QPainterPath body;
    body.moveTo(0, -11);
    body.cubicTo(6, -9, 9, -2, 9, 4);
    body.cubicTo(9, 10, 5, 13, 0, 13);
    body.cubicTo(-5, 13, -9, 10, -9, 4);
    body.cubicTo(-9, -2, -6, -9, 0, -11);
    return {body, 15, 3.2, false, false, 2.6};
}

Instrument banjo() {
    QPainterPath body;
    body.addEllipse(QPointF(0, 0), 10.5, 10.5);
    return {body, 26, 3.0, false, true, 0.0};
}

Instrument ukulele() {
    return {figureEight(7.0, 5.6, 8), 13, 3.0, false, false, 2.3, 0.8};
}

} // namespace

std::vector<ArtworkImage> LocatorArtwork::images() {
    const QSize icon(37, 37);
    return {
        {QStringLiteral("BZ_location"), {30, 30}, locationButton},
        {QStringLiteral("DFDealer_pin"), {63, 63}, dealerPin},
        {QStringLiteral("TFTeacher_defaultImage"), {64, 64}, teacherPlaceholder},
        {QStringLiteral("TFInstrument_guitar"), icon, [](QPainter& p) { instrument(p, guitar()); }},
        {QStringLiteral("TFInstrument_bass"), icon, [](QPainter& p) { instrument(p, bass()); }},
        {QStringLiteral("TFInstrument_mandolin"), icon,
         [](QPainter& p) { instrument(p, mandolin()); }},
        {QStringLiteral("TFInstrument_banjo"), icon, [](QPainter& p) { instrument(p, banjo()); }},
        {QStringLiteral("TFInstrument_ukulele"), icon,
         [](QPainter& p) { instrument(p, ukulele()); }},
    };
}
