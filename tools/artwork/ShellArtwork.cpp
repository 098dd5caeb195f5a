#include "ShellArtwork.h"

#include "Materials.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

const QColor kCream(0xf4, 0xe8, 0xcc);
const QColor kInk(0x1a, 0x0c, 0x04);
const QRectF kTile(4.5, 8.5, 58, 58); // inside the 67 x 75 icon frame

void rowBackground(QPainter& painter, bool selected) {
    const QRectF row(0, 0, 320, 77);
    QPainterPath shape;
    shape.addRect(row);
    if (selected) {
        QLinearGradient amber(row.topLeft(), row.bottomLeft());
        amber.setColorAt(0.0, QColor(0xb8, 0x74, 0x2c));
        amber.setColorAt(1.0, QColor(0x6e, 0x3a, 0x12));
        painter.fillPath(shape, amber);
    } else {
        Materials::rosewood(painter, shape, row);
        QLinearGradient shade(row.topLeft(), row.bottomLeft());
        shade.setColorAt(0.0, QColor(0, 0, 0, 0));
        shade.setColorAt(1.0, QColor(0, 0, 0, 70));
        painter.fillPath(shape, shade);
    }
    Materials::gloss(painter, shape, row, selected ? 50 : 28);
    painter.setPen(QPen(QColor(255, 230, 200, 60), 1.0));
    painter.drawLine(QPointF(0, 0.5), QPointF(320, 0.5));
    // A nickel inlay line between the rows.
    QPainterPath edge;
    edge.addRect(QRectF(0, 75.5, 320, 1.5));
    Materials::nickel(painter, edge, edge.boundingRect());
    painter.setPen(QPen(QColor(0, 0, 0, 140), 0.5));
    painter.drawLine(QPointF(0, 75.25), QPointF(320, 75.25));
}

void arrow(QPainter& painter, const QColor& colour) {
    QPainterPath path;
    path.moveTo(2.5, 2.5);
    path.lineTo(9.0, 9.0);
    path.lineTo(2.5, 15.5);
    painter.setPen(QPen(QColor(0, 0, 0, 120), 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path.translated(0, 1));
    painter.setPen(QPen(colour, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
}

// A soft shadow of the shape, offset below it.
void dropShadow(QPainter& painter, const QPainterPath& shape, QPointF offset, int alpha) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, alpha));
    painter.drawPath(shape.translated(offset));
}

// The rounded rosewood tile under every tool icon, with a brass rim.
void tile(QPainter& painter) {
    QPainterPath rim;
    rim.addRoundedRect(kTile, 11, 11);
    dropShadow(painter, rim, QPointF(0, 2), 90);
    Materials::brass(painter, rim, kTile);
    QPainterPath face;
    face.addRoundedRect(kTile.adjusted(2.5, 2.5, -2.5, -2.5), 9, 9);
    Materials::rosewood(painter, face, face.boundingRect());
}

void finishTile(QPainter& painter) {
    QPainterPath face;
    face.addRoundedRect(kTile.adjusted(2.5, 2.5, -2.5, -2.5), 9, 9);
    Materials::gloss(painter, face, face.boundingRect(), 55);
    painter.setPen(QPen(kInk, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(kTile.adjusted(0.5, 0.5, -0.5, -0.5), 11, 11);
}

void pen(QPainter& painter, const QColor& colour, double width) {
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
}

void dot(QPainter& painter, QPointF at, double radius, const QColor& colour) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(at, radius, radius);
}

// A needle gauge: a scale of ticks, the centre mark in green, the needle just sharp.
void tunerIcon(QPainter& painter) {
    tile(painter);
    const QPointF hub(33.5, 56);
    for (int i = -4; i <= 4; ++i) {
        const double angle = (90.0 + i * 15.0) * M_PI / 180.0;
        const double inner = i % 2 == 0 ? 24.0 : 27.0;
        const QPointF from(hub.x() + inner * std::cos(angle), hub.y() - inner * std::sin(angle));
        const QPointF to(hub.x() + 32.0 * std::cos(angle), hub.y() - 32.0 * std::sin(angle));
        pen(painter, i == 0 ? QColor(0x7c, 0xd8, 0x6a) : kCream, i == 0 ? 2.4 : 1.4);
        painter.drawLine(from, to);
    }
    const double needle = (90.0 - 9.0) * M_PI / 180.0;
    pen(painter, QColor(0xe0, 0x4a, 0x2c), 2.0);
    painter.drawLine(hub,
                     QPointF(hub.x() + 30.0 * std::cos(needle), hub.y() - 30.0 * std::sin(needle)));
    QPainterPath cap;
    cap.addEllipse(hub, 4.0, 4.0);
    Materials::nickel(painter, cap, cap.boundingRect());
    finishTile(painter);
}

// A pyramid metronome with its pendulum swung to one side.
void metronomeIcon(QPainter& painter) {
    tile(painter);
    QPainterPath body;
    body.moveTo(25, 60);
    body.lineTo(30, 17);
    body.lineTo(37, 17);
    body.lineTo(42, 60);
    body.closeSubpath();
    Materials::brass(painter, body, body.boundingRect());
    pen(painter, kInk, 0.8);
    painter.drawPath(body);
    QPainterPath slot;
    slot.addRect(QRectF(31.5, 22, 4, 30));
    painter.fillPath(slot, QColor(0x2a, 0x16, 0x0c));
    pen(painter, kCream, 1.8);
    painter.drawLine(QPointF(33.5, 54), QPointF(47, 21));
    QPainterPath weight;
    weight.addRoundedRect(QRectF(40.5, 29.5, 7, 5), 1.5, 1.5);
    Materials::nickel(painter, weight, weight.boundingRect());
    finishTile(painter);
}

// A chord box: nut, frets and strings, three fingers.
void chordGrid(QPainter& painter, double left, double top, double width, double height) {
    pen(painter, kCream, 2.6);
    painter.drawLine(QPointF(left, top), QPointF(left + width, top));
    pen(painter, QColor(0xd8, 0xd2, 0xc6), 1.0);
    for (int f = 1; f <= 4; ++f) {
        const double y = top + height * f / 4.0;
        painter.drawLine(QPointF(left, y), QPointF(left + width, y));
    }
    for (int s = 0; s < 6; ++s) {
        const double x = left + width * s / 5.0;
        painter.drawLine(QPointF(x, top), QPointF(x, top + height));
    }
}

void chordsIcon(QPainter& painter) {
    tile(painter);
    chordGrid(painter, 18, 20, 31, 36);
    const QColor finger(0xf0, 0xa8, 0x40);
    dot(painter, QPointF(24.2, 33.5), 3.4, finger);
    dot(painter, QPointF(30.4, 42.5), 3.4, finger);
    dot(painter, QPointF(36.6, 42.5), 3.4, finger);
    finishTile(painter);
}

// A stretch of neck with a scale's notes along it, the roots marked.
void scalesIcon(QPainter& painter) {
    tile(painter);
    for (int s = 0; s < 6; ++s) {
        const double y = 22 + s * 6.6;
        pen(painter, s < 3 ? QColor(0xee, 0xee, 0xe8) : QColor(0xd8, 0xb8, 0x82), 0.8 + s * 0.2);
        painter.drawLine(QPointF(10, y), QPointF(57, y));
    }
    for (const double x : {20.0, 34.0, 48.0}) {
        QPainterPath fret;
        fret.addRect(QRectF(x - 0.9, 19, 1.8, 39));
        Materials::nickel(painter, fret, fret.boundingRect());
    }
    const double notes[][2] = {{13, 0}, {27, 0}, {41, 1}, {13, 2}, {27, 2}, {41, 3},
                               {27, 3}, {13, 4}, {41, 4}, {27, 5}, {52, 5}, {52, 1}};
    for (const auto& note : notes) {
        const bool root = note[0] == 13 && (note[1] == 0 || note[1] == 4);
        dot(painter, QPointF(note[0], 22 + note[1] * 6.6), 2.7,
            root ? QColor(0xe0, 0x4a, 0x2c) : QColor(0xf0, 0xa8, 0x40));
    }
    finishTile(painter);
}

// A chord box under a magnifying glass.
void chordFinderIcon(QPainter& painter) {
    tile(painter);
    chordGrid(painter, 14, 18, 26, 30);
    dot(painter, QPointF(19.2, 25.5), 3.0, QColor(0xf0, 0xa8, 0x40));
    dot(painter, QPointF(29.6, 33.0), 3.0, QColor(0xf0, 0xa8, 0x40));
    const QPointF lens(40, 42);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xc8, 0xe4, 0xf0, 70));
    painter.drawEllipse(lens, 10, 10);
    QPainterPath handle;
    handle.moveTo(47, 49);
    handle.lineTo(55, 57);
    QPainterPathStroker stroker;
    stroker.setWidth(5);
    stroker.setCapStyle(Qt::RoundCap);
    const QPainterPath grip = stroker.createStroke(handle);
    Materials::brass(painter, grip, grip.boundingRect());
    QPainterPath ring;
    ring.addEllipse(lens, 11, 11);
    ring.addEllipse(lens, 8.6, 8.6);
    Materials::nickel(painter, ring, ring.boundingRect());
    finishTile(painter);
}

// A map pin over the streets of a town.
void dealersIcon(QPainter& painter) {
    tile(painter);
    pen(painter, QColor(0xd8, 0xc0, 0x98, 150), 1.0);
    for (int i = 0; i < 4; ++i) {
        painter.drawLine(QPointF(11, 30 + i * 9), QPointF(56, 26 + i * 9));
        painter.drawLine(QPointF(16 + i * 12, 17), QPointF(20 + i * 11, 62));
    }
    QPainterPath pin;
    pin.moveTo(33.5, 60);
    pin.cubicTo(27, 49, 22, 42, 22, 34);
    pin.arcTo(QRectF(22, 22.5, 23, 23), 180, -180);
    pin.cubicTo(45, 42, 40, 49, 33.5, 60);
    pin.closeSubpath();
    dropShadow(painter, pin, QPointF(1, 1.5), 90);
    Materials::lacquerRed(painter, pin, pin.boundingRect());
    pen(painter, QColor(0x3c, 0x06, 0x04), 0.8);
    painter.drawPath(pin);
    dot(painter, QPointF(33.5, 34), 4.2, kCream);
    finishTile(painter);
}

// A teacher's board with a staff and a note.
void teachersIcon(QPainter& painter) {
    tile(painter);
    const QRectF board(13, 18, 41, 30);
    QPainterPath frame;
    frame.addRoundedRect(board, 2, 2);
    Materials::brass(painter, frame, board);
    painter.fillRect(board.adjusted(2.5, 2.5, -2.5, -2.5), QColor(0x1e, 0x30, 0x24));
    pen(painter, QColor(0xe8, 0xe8, 0xe0, 200), 0.7);
    for (int i = 0; i < 5; ++i) {
        painter.drawLine(QPointF(17, 25 + i * 4), QPointF(50, 25 + i * 4));
    }
    painter.save();
    painter.translate(30, 37);
    painter.rotate(-20);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kCream);
    painter.drawEllipse(QPointF(0, 0), 3.4, 2.4);
    painter.restore();
    pen(painter, kCream, 1.2);
    painter.drawLine(QPointF(33, 36), QPointF(33, 22.5));
    painter.drawLine(QPointF(33, 22.5), QPointF(38, 26));
    pen(painter, QColor(0xb8, 0x8a, 0x4a), 2.2);
    painter.drawLine(QPointF(22, 48), QPointF(18, 61));
    painter.drawLine(QPointF(45, 48), QPointF(49, 61));
    finishTile(painter);
}

// A brass gear with a rosewood centre: the settings button of the tool screens.
void settingsButton(QPainter& painter) {
    const QPointF centre(15, 15);
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double a0 = (i - 0.5) * M_PI / teeth;
        const double a1 = (i + 0.5) * M_PI / teeth;
        const double r = i % 2 == 0 ? 12.5 : 9.6;
        const QPointF p0(centre.x() + r * std::cos(a0), centre.y() + r * std::sin(a0));
        const QPointF p1(centre.x() + r * std::cos(a1), centre.y() + r * std::sin(a1));
        if (i == 0) {
            gear.moveTo(p0);
        } else {
            gear.lineTo(p0);
        }
        gear.lineTo(p1);
    }
    gear.closeSubpath();
    dropShadow(painter, gear, QPointF(0, 1), 110);
    Materials::brass(painter, gear, gear.boundingRect());
    pen(painter, QColor(0x3a, 0x22, 0x0c), 0.8);
    painter.drawPath(gear);
    QPainterPath hub;
    hub.addEllipse(centre, 5.2, 5.2);
    Materials::rosewood(painter, hub, hub.boundingRect());
    pen(painter, QColor(0x3a, 0x22, 0x0c), 0.8);
    painter.drawPath(hub);
    dot(painter, centre, 1.8, kCream);
}

} // namespace

std::vector<ArtworkImage> ShellArtwork::images() {
    const QColor arrowColour(0xd8, 0xa8, 0x5c);
    const QColor arrowHighlighted(0xff, 0xf8, 0xec);
    const QSize icon(67, 75);
    return {
        {QStringLiteral("BZHome_background"),
         {320, 77},
         [](QPainter& p) { rowBackground(p, false); }},
        {QStringLiteral("BZHome_background_selected"),
         {320, 77},
         [](QPainter& p) { rowBackground(p, true); }},
        {QStringLiteral("BZHome_disclosureIndicator"),
         {12, 19},
         [arrowColour](QPainter& p) { arrow(p, arrowColour); }},
        {QStringLiteral("BZHome_disclosureIndicator_highlighted"),
         {12, 19},
         [arrowHighlighted](QPainter& p) { arrow(p, arrowHighlighted); }},
        {QStringLiteral("BZHome_tuner"), icon, tunerIcon},
        {QStringLiteral("BZHome_metronome"), icon, metronomeIcon},
        {QStringLiteral("BZHome_chords"), icon, chordsIcon},
        {QStringLiteral("BZHome_scales"), icon, scalesIcon},
        {QStringLiteral("BZHome_chordFinder"), icon, chordFinderIcon},
        {QStringLiteral("BZHome_dealers"), icon, dealersIcon},
        {QStringLiteral("BZHome_teachers"), icon, teachersIcon},
        {QStringLiteral("BZMainController_settings"), {30, 30}, settingsButton},
    };
}
