#include "MetronomeArtwork.h"

#include "Materials.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QColor kCream(0xf4, 0xe8, 0xcc);
const QColor kInk(0x1a, 0x0c, 0x04);
constexpr double kTrackY = 140.5;        // the cursor's track, as the screen places it
constexpr QRectF kDrum(0, 256, 320, 48); // the wheel under the name strip

// The sunken channel the cursor swings in, with its brass rail and graduations.
void track(QPainter& painter) {
    const QRectF channel(0, 96, 320, 89);
    QLinearGradient depth(channel.topLeft(), channel.bottomLeft());
    depth.setColorAt(0.0, QColor(0x0c, 0x06, 0x02, 235));
    depth.setColorAt(0.12, QColor(0x1c, 0x0f, 0x07, 215));
    depth.setColorAt(1.0, QColor(0x26, 0x14, 0x0a, 200));
    painter.fillRect(channel, depth);
    painter.setPen(QPen(QColor(255, 230, 200, 55), 1.0));
    painter.drawLine(QPointF(0, channel.bottom() + 0.5), QPointF(320, channel.bottom() + 0.5));
    painter.setPen(QPen(QColor(0, 0, 0, 160), 1.0));
    painter.drawLine(QPointF(0, channel.top() - 0.5), QPointF(320, channel.top() - 0.5));
    for (int x = 0; x <= 320; x += 16) {
        const bool major = x % 80 == 0;
        const double reach = x == 160 ? 26.0 : major ? 18.0 : 10.0;
        painter.setPen(QPen(x == 160 ? QColor(0xe0, 0x4a, 0x2c) : QColor(0xd8, 0xc6, 0xa0, 150),
                            major ? 1.6 : 1.0));
        painter.drawLine(QPointF(x, kTrackY - 6 - reach), QPointF(x, kTrackY - 6));
        painter.drawLine(QPointF(x, kTrackY + 6), QPointF(x, kTrackY + 6 + reach));
    }
    QPainterPath rail;
    rail.addRect(QRectF(0, kTrackY - 2.0, 320, 4.0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 120));
    painter.drawPath(rail.translated(0, 1.5));
    Materials::brass(painter, rail, rail.boundingRect());
}

// The drum of the tempo wheel: dark steel, lit in the middle and falling into shade at both
// ends, as a cylinder turning about an upright axis.
void drum(QPainter& painter) {
    QLinearGradient turn(kDrum.topLeft(), kDrum.topRight());
    turn.setColorAt(0.0, QColor(0x08, 0x08, 0x08));
    turn.setColorAt(0.18, QColor(0x3a, 0x38, 0x34));
    turn.setColorAt(0.5, QColor(0x74, 0x70, 0x68));
    turn.setColorAt(0.82, QColor(0x3a, 0x38, 0x34));
    turn.setColorAt(1.0, QColor(0x08, 0x08, 0x08));
    painter.fillRect(kDrum, turn);
    QLinearGradient light(kDrum.topLeft(), kDrum.bottomLeft());
    light.setColorAt(0.0, QColor(0, 0, 0, 130));
    light.setColorAt(0.25, QColor(255, 255, 255, 30));
    light.setColorAt(0.5, QColor(255, 255, 255, 0));
    light.setColorAt(1.0, QColor(0, 0, 0, 150));
    painter.fillRect(kDrum, light);
    for (const double y : {kDrum.top() - 2.0, kDrum.bottom()}) {
        QPainterPath rim;
        rim.addRect(QRectF(0, y, 320, 2.0));
        Materials::brass(painter, rim, rim.boundingRect());
    }
}

void screen(QPainter& painter) {
    const QRectF page(0, 0, 320, 416);
    QPainterPath shape;
    shape.addRect(page);
    Materials::rosewood(painter, shape, page);
    QRadialGradient vignette(QPointF(160, 150), 300);
    vignette.setColorAt(0.55, QColor(0, 0, 0, 0));
    vignette.setColorAt(1.0, QColor(0, 0, 0, 110));
    painter.fillRect(page, vignette);
    // The tempo's window: sunk into the wood, with a brass bezel.
    const QRectF window(70.5, 6.5, 179, 72);
    QPainterPath bezel;
    bezel.addRoundedRect(window, 12, 12);
    Materials::brass(painter, bezel, window);
    QPainterPath glass;
    glass.addRoundedRect(window.adjusted(3, 3, -3, -3), 9, 9);
    QLinearGradient dark(window.topLeft(), window.bottomLeft());
    dark.setColorAt(0.0, QColor(0x0a, 0x05, 0x02));
    dark.setColorAt(1.0, QColor(0x24, 0x12, 0x08));
    painter.fillPath(glass, dark);
    Materials::gloss(painter, glass, glass.boundingRect(), 26);
    track(painter);
    drum(painter);
    // A nickel inlay above the buttons.
    QPainterPath inlay;
    inlay.addRect(QRectF(12, 308, 296, 1.5));
    Materials::nickel(painter, inlay, inlay.boundingRect());
}

// The cursor: a nickel rod through a brass bob, centred on the track.
void cursor(QPainter& painter) {
    const double middle = 50.0;
    QPainterPath rod;
    rod.addRoundedRect(QRectF(10.5, 2, 3, 96), 1.5, 1.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawPath(rod.translated(1, 1));
    Materials::nickel(painter, rod, rod.boundingRect());
    QPainterPath bob;
    bob.moveTo(4, middle - 13);
    bob.lineTo(20, middle - 13);
    bob.lineTo(22.5, middle + 13);
    bob.lineTo(1.5, middle + 13);
    bob.closeSubpath();
    painter.setBrush(QColor(0, 0, 0, 120));
    painter.drawPath(bob.translated(0.8, 1.5));
    Materials::brass(painter, bob, bob.boundingRect());
    Materials::gloss(painter, bob, bob.boundingRect(), 70);
    painter.setPen(QPen(kInk, 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(bob);
    painter.setPen(QPen(QColor(0xe0, 0x4a, 0x2c), 1.6));
    painter.drawLine(QPointF(5, middle), QPointF(19, middle));
}

// A beat's flash: warm light spreading from the edge the cursor reaches.
void sideFlash(QPainter& painter, bool left) {
    const QRectF box(0, 0, 120, 150);
    const QPointF source(left ? 0.0 : box.width(), box.height() / 2.0);
    QRadialGradient glow(source, 120);
    glow.setColorAt(0.0, QColor(0xff, 0xf0, 0xc8, 235));
    glow.setColorAt(0.25, QColor(0xff, 0xc4, 0x6a, 170));
    glow.setColorAt(0.7, QColor(0xe0, 0x80, 0x30, 50));
    glow.setColorAt(1.0, QColor(0xe0, 0x80, 0x30, 0));
    painter.fillRect(box, glow);
}

// The bar's flash: the whole track lit along the rail.
void barFlash(QPainter& painter) {
    const QRectF box(0, 0, 320, 120);
    QLinearGradient band(box.topLeft(), box.bottomLeft());
    band.setColorAt(0.0, QColor(0xff, 0xc4, 0x6a, 0));
    band.setColorAt(0.42, QColor(0xff, 0xd8, 0x90, 130));
    band.setColorAt(0.5, QColor(0xff, 0xf6, 0xe0, 220));
    band.setColorAt(0.58, QColor(0xff, 0xd8, 0x90, 130));
    band.setColorAt(1.0, QColor(0xff, 0xc4, 0x6a, 0));
    painter.fillRect(box, band);
}

void greenLacquer(QPainter& painter, const QPainterPath& shape, const QRectF& bounds) {
    QLinearGradient lacquer(bounds.topLeft(), bounds.bottomLeft());
    lacquer.setColorAt(0.0, QColor(0x4c, 0xa8, 0x5e));
    lacquer.setColorAt(0.5, QColor(0x23, 0x74, 0x38));
    lacquer.setColorAt(1.0, QColor(0x12, 0x4a, 0x22));
    painter.fillPath(shape, lacquer);
}

enum class Face { Start, Stop, Tap };

// A stretchable button: rounded, 13-point caps, a glossy face and a dark rim.
void button(QPainter& painter, Face face) {
    const QRectF box(0.5, 0.5, 26, 42);
    QPainterPath shape;
    shape.addRoundedRect(box, 9, 9);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawPath(shape.translated(0, 1));
    switch (face) {
    case Face::Start:
        greenLacquer(painter, shape, box);
        break;
    case Face::Stop:
        Materials::lacquerRed(painter, shape, box);
        break;
    case Face::Tap: {
        Materials::brass(painter, shape, box);
        QPainterPath inner;
        inner.addRoundedRect(box.adjusted(2.5, 2.5, -2.5, -2.5), 7, 7);
        Materials::rosewood(painter, inner, inner.boundingRect());
        break;
    }
    }
    Materials::gloss(painter, shape, box, 60);
    painter.setPen(QPen(kInk, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
    QPainterPath edge;
    edge.addRoundedRect(box.adjusted(1, 1, -1, -1), 8, 8);
    painter.setPen(QPen(QColor(255, 240, 220, 70), 1.0));
    painter.drawPath(edge);
}

// The plate the tempo names are engraved on: ivory between brass edges.
void namePlate(QPainter& painter) {
    const QRectF plate(0, 0, 27, 44);
    QLinearGradient ivory(plate.topLeft(), plate.bottomLeft());
    ivory.setColorAt(0.0, QColor(0xfd, 0xf8, 0xea));
    ivory.setColorAt(1.0, QColor(0xe2, 0xd4, 0xb4));
    painter.fillRect(plate, ivory);
    QLinearGradient inset(plate.topLeft(), QPointF(0, 8));
    inset.setColorAt(0.0, QColor(0x5a, 0x36, 0x12, 90));
    inset.setColorAt(1.0, QColor(0x5a, 0x36, 0x12, 0));
    painter.fillRect(QRectF(0, 2.5, 27, 8), inset);
    for (const double y : {0.0, 41.5}) {
        QPainterPath edge;
        edge.addRect(QRectF(0, y, 27, 2.5));
        Materials::brass(painter, edge, edge.boundingRect());
    }
}

// One ridge of the wheel: a light crest with its shadow.
void notch(QPainter& painter) {
    QLinearGradient fade(QPointF(0, 0), QPointF(0, 48));
    fade.setColorAt(0.0, QColor(0, 0, 0, 0));
    fade.setColorAt(0.2, QColor(0, 0, 0, 255));
    fade.setColorAt(0.8, QColor(0, 0, 0, 255));
    fade.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.fillRect(QRectF(1, 0, 2, 48), QColor(0x08, 0x06, 0x04, 200));
    painter.fillRect(QRectF(3, 0, 2, 48), QColor(0xe8, 0xe2, 0xd4, 230));
    painter.fillRect(QRectF(5, 0, 1, 48), QColor(0x9a, 0x94, 0x88, 160));
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.fillRect(QRectF(0, 0, 8, 48), fade);
}

} // namespace

std::vector<ArtworkImage> MetronomeArtwork::images() {
    return {
        {QStringLiteral("MTMain_background"), {320, 416}, screen},
        {QStringLiteral("MTMain_cursor"), {24, 100}, cursor},
        {QStringLiteral("MTMain_burst_left"), {120, 150}, [](QPainter& p) { sideFlash(p, true); }},
        {QStringLiteral("MTMain_burst_right"),
         {120, 150},
         [](QPainter& p) { sideFlash(p, false); }},
        {QStringLiteral("MTMain_burst_bar"), {320, 120}, barFlash},
        {QStringLiteral("MTMain_button_start"),
         {27, 44},
         [](QPainter& p) { button(p, Face::Start); }},
        {QStringLiteral("MTMain_button_stop"),
         {27, 44},
         [](QPainter& p) { button(p, Face::Stop); }},
        {QStringLiteral("MTMain_button_tap"), {27, 44}, [](QPainter& p) { button(p, Face::Tap); }},
        {QStringLiteral("MTTempoEditor_background"), {27, 44}, namePlate},
        {QStringLiteral("MTTempoEditor_notch"), {8, 48}, notch},
    };
}
