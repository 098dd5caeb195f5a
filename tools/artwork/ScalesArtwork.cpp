#include "ScalesArtwork.h"

#include "FretboardArtwork.h"
#include "Materials.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QColor kCream(0xf4, 0xe8, 0xcc);
const QColor kInk(0x1a, 0x0c, 0x04);
constexpr QRectF kScreen(0, 0, 320, 416);
constexpr QRectF kNameWindow(54.5, 6.5, 211, 60); // behind the name and the pattern line

void wood(QPainter& painter, const QRectF& area) {
    QPainterPath shape;
    shape.addRect(area);
    Materials::rosewood(painter, shape, area);
}

// Wood in shade, darkening from the top (`top` alpha of black) to the bottom (`bottom`).
void shadedWood(QPainter& painter, const QRectF& area, int top, int bottom) {
    wood(painter, area);
    QLinearGradient shade(area.topLeft(), area.bottomLeft());
    shade.setColorAt(0.0, QColor(0, 0, 0, top));
    shade.setColorAt(1.0, QColor(0, 0, 0, bottom));
    painter.fillRect(area, shade);
}

void background(QPainter& painter) {
    wood(painter, kScreen);
    QRadialGradient vignette(QPointF(120, 230), 330);
    vignette.setColorAt(0.5, QColor(0, 0, 0, 0));
    vignette.setColorAt(1.0, QColor(0, 0, 0, 120));
    painter.fillRect(kScreen, vignette);
}

// A nickel inlay line, with the shade it casts below.
void inlay(QPainter& painter, const QRectF& line) {
    painter.fillRect(line.translated(0, 1.0), QColor(0, 0, 0, 110));
    QPainterPath shape;
    shape.addRect(line);
    Materials::nickel(painter, shape, line);
}

void namePanel(QPainter& painter) {
    shadedWood(painter, QRectF(0, 0, 320, 73), 30, 90);
    inlay(painter, QRectF(0, 70.5, 320, 1.5));
    QPainterPath bezel;
    bezel.addRoundedRect(kNameWindow, 11, 11);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 100));
    painter.drawPath(bezel.translated(0, 1.5));
    Materials::brass(painter, bezel, kNameWindow);
    QPainterPath glass;
    glass.addRoundedRect(kNameWindow.adjusted(3, 3, -3, -3), 8, 8);
    QLinearGradient dark(kNameWindow.topLeft(), kNameWindow.bottomLeft());
    dark.setColorAt(0.0, QColor(0x08, 0x04, 0x02));
    dark.setColorAt(1.0, QColor(0x26, 0x13, 0x08));
    painter.fillPath(glass, dark);
    Materials::gloss(painter, glass, glass.boundingRect(), 24);
    painter.setPen(QPen(kInk, 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(bezel);
}

// A round brass button with an ebony face; pressed, the face sinks and loses its shine.
void roundButton(QPainter& painter, double size, bool pressed) {
    const QPointF centre(size / 2.0, size / 2.0);
    const double rim = size / 2.0 - 1.5;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawEllipse(centre + QPointF(0, 1.2), rim, rim);
    QPainterPath ring;
    ring.addEllipse(centre, rim, rim);
    Materials::brass(painter, ring, ring.boundingRect());
    const double faceRadius = rim - 3.5;
    QRadialGradient face(centre, faceRadius, centre + QPointF(-faceRadius / 3, -faceRadius / 2));
    face.setColorAt(0.0, pressed ? QColor(0x2a, 0x1a, 0x10) : QColor(0x5a, 0x3c, 0x28));
    face.setColorAt(1.0, pressed ? QColor(0x06, 0x03, 0x02) : QColor(0x16, 0x0b, 0x05));
    painter.setBrush(face);
    painter.setPen(QPen(kInk, 0.8));
    painter.drawEllipse(centre, faceRadius, faceRadius);
    if (!pressed) {
        QPainterPath top;
        top.addEllipse(centre, faceRadius - 1, faceRadius - 1);
        Materials::gloss(painter, top, top.boundingRect(), 40);
    }
}

// The step buttons' chevron, pointing left (-1) or right (+1).
void chevron(QPainter& painter, double size, int way, bool pressed) {
    const QPointF c(size / 2.0 + way * 1.5, size / 2.0 + (pressed ? 1.0 : 0.0));
    QPainterPath path;
    path.moveTo(c + QPointF(-way * 5.0, -8.0));
    path.lineTo(c + QPointF(way * 4.0, 0.0));
    path.lineTo(c + QPointF(-way * 5.0, 8.0));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 150), 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path.translated(0, 1.0));
    painter.setPen(QPen(kCream, 3.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
}

void stepButton(QPainter& painter, int way, bool pressed) {
    roundButton(painter, 44, pressed);
    chevron(painter, 44, way, pressed);
}

void hintButton(QPainter& painter, bool pressed) {
    roundButton(painter, 36, pressed);
    QFont font;
    font.setPixelSize(20);
    font.setBold(true);
    painter.setFont(font);
    const QRectF box(0, pressed ? 1.0 : 0.0, 36, 36);
    painter.setPen(QColor(0, 0, 0, 150));
    painter.drawText(box.translated(0, 1), Qt::AlignCenter, QStringLiteral("?"));
    painter.setPen(kCream);
    painter.drawText(box, Qt::AlignCenter, QStringLiteral("?"));
}

// The strip behind the group control, at the top of the picker panel.
void pickerPanel(QPainter& painter) {
    shadedWood(painter, QRectF(0, 0, 320, 44), 60, 130);
    QPainterPath rim;
    rim.addRect(QRectF(0, 0, 320, 1.5));
    Materials::brass(painter, rim, rim.boundingRect());
    painter.fillRect(QRectF(0, 43, 320, 1), QColor(0, 0, 0, 160));
}

// A finger disc as the neck shows it, with its title embossed.
void disc(QPainter& painter, const QString& name, const QString& title, bool black) {
    for (const ArtworkImage& image : FretboardArtwork::images()) {
        if (image.name == name) {
            painter.save();
            painter.translate(1, 1);
            image.draw(painter);
            painter.restore();
        }
    }
    QFont font;
    font.setPixelSize(19);
    font.setBold(true);
    painter.setFont(font);
    const QRectF box(0, 0, 32, 32);
    painter.setPen(black ? QColor(Qt::black) : QColor(Qt::white));
    painter.drawText(box.translated(0, black ? -1 : 1), Qt::AlignCenter, title);
    painter.setPen(black ? QColor::fromHsvF(0.166f, 0.4f, 0.85f) : QColor(Qt::black));
    painter.drawText(box, Qt::AlignCenter, title);
}

// A stroke across six upright strings, from the thickest to the thinnest.
void strum(QPainter& painter) {
    for (int s = 0; s < 6; ++s) {
        const double x = 8.5 + s * 6.2;
        painter.setPen(
            QPen(s < 4 ? QColor(0xd8, 0xb8, 0x82) : QColor(0xee, 0xee, 0xe8), 1.6 - s * 0.18));
        painter.drawLine(QPointF(x, 4), QPointF(x, 44));
    }
    QPainterPath stroke;
    stroke.moveTo(3, 30);
    stroke.cubicTo(QPointF(16, 20), QPointF(30, 18), QPointF(41, 22));
    painter.setPen(QPen(QColor(0, 0, 0, 140), 4.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(stroke.translated(0, 1));
    painter.setPen(QPen(QColor(0xf0, 0xa8, 0x40), 3.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(stroke);
    QPainterPath head;
    head.moveTo(46, 24);
    head.lineTo(37, 27.5);
    head.lineTo(39.5, 17);
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xf0, 0xa8, 0x40));
    painter.drawPath(head);
}

} // namespace

std::vector<ArtworkImage> ScalesArtwork::images() {
    std::vector<ArtworkImage> images = {
        {QStringLiteral("SCMainController_background"), {320, 416}, background},
        {QStringLiteral("SCMainController_namePanel"), {320, 73}, namePanel},
        {QStringLiteral("SCMainController_pickerPanel"), {320, 44}, pickerPanel},
        {QStringLiteral("SCHint_strum"), {48, 48}, strum},
        {QStringLiteral("SCHint_finger"),
         {32, 32},
         [](QPainter& p) {
             disc(p, QStringLiteral("BZFinger_background_yellow"), QStringLiteral("1"), false);
         }},
        {QStringLiteral("SCHint_root"),
         {32, 32},
         [](QPainter& p) {
             disc(p, QStringLiteral("BZFinger_background_black"), QStringLiteral("R"), true);
         }},
    };
    for (const bool pressed : {false, true}) {
        const QString suffix = pressed ? QStringLiteral("_pressed") : QString();
        images.push_back({QStringLiteral("SCMainController_previous") + suffix,
                          {44, 44},
                          [pressed](QPainter& p) { stepButton(p, -1, pressed); }});
        images.push_back({QStringLiteral("SCMainController_next") + suffix,
                          {44, 44},
                          [pressed](QPainter& p) { stepButton(p, 1, pressed); }});
        images.push_back({QStringLiteral("SCMainController_hint") + suffix,
                          {36, 36},
                          [pressed](QPainter& p) { hintButton(p, pressed); }});
    }
    return images;
}
