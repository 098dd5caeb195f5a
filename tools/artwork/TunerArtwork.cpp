#include "TunerArtwork.h"

#include "Materials.h"
#include "tuner/TNNeedleMotion.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

const QColor kCream(0xf4, 0xe8, 0xcc);
const QColor kAmber(0xf0, 0xa8, 0x40);
const QColor kGlass(0x0c, 0x0a, 0x08);
// Where the screen places the display and the lamps (the screen's layout, in points).
const QRectF kDisplayWindow(10, 50, 300, 240);
const QPointF kPivot(150, 168); // of the needle, in the display
constexpr double kScaleRadius = 150.0;

QFont boldFont(double pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    font.setBold(true);
    return font;
}

// A recess with a brass rim: the display window and the label plates.
void brassRecess(QPainter& painter, const QRectF& box, double radius) {
    QPainterPath rim;
    rim.addRoundedRect(box, radius, radius);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawPath(rim.translated(0, 1.5));
    Materials::brass(painter, rim, box);
    const QRectF inner = box.adjusted(3, 3, -3, -3);
    QPainterPath well;
    well.addRoundedRect(inner, radius - 2, radius - 2);
    QLinearGradient depth(inner.topLeft(), inner.bottomLeft());
    depth.setColorAt(0.0, QColor(0x02, 0x02, 0x02));
    depth.setColorAt(0.18, kGlass);
    depth.setColorAt(1.0, QColor(0x1c, 0x16, 0x10));
    painter.fillPath(well, depth);
    painter.setPen(QPen(QColor(0x3a, 0x22, 0x0c), 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(rim);
}

void background(QPainter& painter) {
    const QRectF panel(0, 0, 320, 367);
    QPainterPath shape;
    shape.addRect(panel);
    Materials::rosewood(painter, shape, panel);
    QLinearGradient shade(panel.topLeft(), panel.bottomLeft());
    shade.setColorAt(0.0, QColor(0, 0, 0, 20));
    shade.setColorAt(1.0, QColor(0, 0, 0, 90));
    painter.fillPath(shape, shade);
    brassRecess(painter, kDisplayWindow, 14);
    // A faint glow in the middle of the glass.
    QRadialGradient glow(kDisplayWindow.center(), 130);
    glow.setColorAt(0.0, QColor(0x40, 0x34, 0x26, 90));
    glow.setColorAt(1.0, QColor(0x40, 0x34, 0x26, 0));
    QPainterPath glass;
    glass.addRoundedRect(kDisplayWindow.adjusted(3, 3, -3, -3), 12, 12);
    painter.fillPath(glass, glow);
    brassRecess(painter, QRectF(18, 302, 136, 52), 9);
    brassRecess(painter, QRectF(166, 302, 136, 52), 9);
    // The four lamp sockets: nickel rims around dark lenses.
    for (int k = 0; k < 4; ++k) {
        const QPointF centre(126 + 18 * k + 7, 38);
        QPainterPath rim;
        rim.addEllipse(centre, 7.5, 7.5);
        Materials::nickel(painter, rim, rim.boundingRect());
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x2a, 0x08, 0x06));
        painter.drawEllipse(centre, 5.6, 5.6);
    }
}

// One band of the strobe ring: `count` segments between two radii, every other one lit.
void ringBand(QPainter& painter, QPointF centre, double inner, double outer, int count,
              const QColor& lit) {
    for (int i = 0; i < count; ++i) {
        const double start = 360.0 * i / count;
        const double span = 360.0 / count;
        QPainterPath segment;
        segment.arcMoveTo(QRectF(centre.x() - outer, centre.y() - outer, 2 * outer, 2 * outer),
                          start);
        segment.arcTo(QRectF(centre.x() - outer, centre.y() - outer, 2 * outer, 2 * outer), start,
                      span);
        segment.arcTo(QRectF(centre.x() - inner, centre.y() - inner, 2 * inner, 2 * inner),
                      start + span, -span);
        segment.closeSubpath();
        if (i % 2 == 0) {
            QRadialGradient light(centre, outer);
            light.setColorAt(inner / outer, lit.darker(135));
            light.setColorAt((inner / outer + 1.0) / 2.0, lit.lighter(115));
            light.setColorAt(1.0, lit.darker(125));
            painter.fillPath(segment, light);
        } else {
            painter.fillPath(segment, QColor(0x14, 0x12, 0x10));
        }
    }
}

void strobeRing(QPainter& painter, const QColor& lit) {
    const QPointF centre(116, 116);
    QPainterPath rim;
    rim.addEllipse(centre, 115, 115);
    rim.addEllipse(centre, 110.5, 110.5);
    Materials::nickel(painter, rim, rim.boundingRect());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x08, 0x08, 0x08));
    painter.drawEllipse(centre, 110.5, 110.5);
    ringBand(painter, centre, 90, 109, 24, lit);
    ringBand(painter, centre, 71, 88, 48, lit);
    // The still centre under the letter.
    QRadialGradient face(centre, 69);
    face.setColorAt(0.0, QColor(0x26, 0x20, 0x1a));
    face.setColorAt(1.0, QColor(0x0a, 0x08, 0x06));
    painter.setBrush(face);
    painter.drawEllipse(centre, 69, 69);
    painter.setPen(QPen(QColor(0x6a, 0x5a, 0x48), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, 69.5, 69.5);
}

// Text in cream with a dark engraved shadow, centred in the box.
void engraved(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
              const QColor& colour) {
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0, 170));
    painter.drawText(box.translated(0, 1.5), Qt::AlignCenter, text);
    painter.setPen(colour);
    painter.drawText(box, Qt::AlignCenter, text);
}

// A note letter fills the box; a string number stands in a ring, so that it never reads as a
// note.
void glyph(QPainter& painter, QSizeF size, const QString& text) {
    const QRectF box(QPointF(0, 0), size);
    const bool string = text.front().isDigit();
    if (!string) {
        engraved(painter, box, text, boldFont(size.height() * 0.96), kCream);
        return;
    }
    const double radius = std::min(size.width(), size.height()) / 2.0 - 2.0;
    painter.setPen(QPen(kAmber, std::max(1.5, radius / 14.0)));
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawEllipse(box.center(), radius, radius);
    engraved(painter, box, text, boldFont(radius * 1.35), kCream);
}

// A sharp sign: two upright strokes and two rising bars.
void sharpSign(QPainter& painter, QSizeF size) {
    const double w = size.width();
    const double h = size.height();
    QPainterPath sign;
    const double stem = w * 0.11;
    for (const double x : {w * 0.36, w * 0.64}) {
        sign.addRect(QRectF(x - stem / 2.0, h * 0.06, stem, h * 0.88));
    }
    for (const double y : {h * 0.36, h * 0.64}) {
        QPainterPath bar;
        bar.moveTo(w * 0.06, y + h * 0.04);
        bar.lineTo(w * 0.94, y - h * 0.06);
        bar.lineTo(w * 0.94, y + h * 0.04);
        bar.lineTo(w * 0.06, y + h * 0.14);
        bar.closeSubpath();
        sign.addPath(bar.translated(0, -h * 0.05));
    }
    sign.setFillRule(Qt::WindingFill);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 170));
    painter.drawPath(sign.translated(0, 1.2));
    painter.setBrush(kCream);
    painter.drawPath(sign);
}

QPointF onScale(double degrees, double radius) {
    const double a = degrees * M_PI / 180.0;
    return {kPivot.x() + radius * std::sin(a), kPivot.y() - radius * std::cos(a)};
}

// The meter's scale: ticks every 5 cents at the needle's own angles, numbers every 10, the
// in-tune band in green, and the flat and sharp signs at the ends.
void needleDial(QPainter& painter) {
    const double end = static_cast<double>(TNNeedleMotion::kDegreeMap[5]);
    const QRectF arc(kPivot.x() - kScaleRadius, kPivot.y() - kScaleRadius, 2 * kScaleRadius,
                     2 * kScaleRadius);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x7c, 0xd8, 0x6a), 4.0, Qt::SolidLine, Qt::FlatCap));
    const double band = static_cast<double>(TNNeedleMotion::deflectionFor(5.0f));
    painter.drawArc(arc.adjusted(2, 2, -2, -2), static_cast<int>((90.0 - band) * 16),
                    static_cast<int>(2 * band * 16));
    painter.setPen(QPen(kCream, 1.2, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(arc, static_cast<int>((90.0 - end) * 16), static_cast<int>(2 * end * 16));
    const QFont numbers = boldFont(10);
    for (int cents = -50; cents <= 50; cents += 5) {
        const double angle = static_cast<double>(TNNeedleMotion::deflectionFor(float(cents)));
        const bool major = cents % 10 == 0;
        const QColor colour = cents == 0 ? QColor(0x7c, 0xd8, 0x6a) : kCream;
        painter.setPen(
            QPen(colour, cents == 0 ? 2.4 : (major ? 1.6 : 1.0), Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(onScale(angle, major ? 133.0 : 141.0), onScale(angle, kScaleRadius));
        if (major) {
            const QPointF at = onScale(angle, 121.0);
            engraved(painter, QRectF(at.x() - 12, at.y() - 7, 24, 14),
                     QString::number(std::abs(cents)), numbers, colour);
        }
    }
    // The flat and sharp signs beyond the ends of the scale.
    const QFont signs = boldFont(20);
    const QColor signColour = kAmber.lighter(115);
    for (const double side : {-1.0, 1.0}) {
        const QPointF at = onScale(side * (end + 8.0), 142.0);
        engraved(painter, QRectF(at.x() - 12, at.y() - 12, 24, 24),
                 side < 0 ? QStringLiteral("\u266d") : QStringLiteral("\u266f"), signs, signColour);
    }
}

// An arrow pointing left (flat) or right (sharp), lit or dark.
void needleArrow(QPainter& painter, bool pointsRight, bool on) {
    QPainterPath arrow;
    arrow.moveTo(3, 13);
    arrow.lineTo(17, 3);
    arrow.lineTo(17, 9);
    arrow.lineTo(37, 9);
    arrow.lineTo(37, 17);
    arrow.lineTo(17, 17);
    arrow.lineTo(17, 23);
    arrow.closeSubpath();
    if (pointsRight) {
        arrow = QTransform(-1, 0, 0, 1, 40, 0).map(arrow);
    }
    painter.setPen(Qt::NoPen);
    if (on) {
        QLinearGradient lit(0, 3, 0, 23);
        lit.setColorAt(0.0, QColor(0xff, 0xc8, 0x70));
        lit.setColorAt(1.0, QColor(0xe0, 0x6a, 0x1c));
        painter.setBrush(QColor(0xff, 0x90, 0x30, 60));
        painter.drawPath(QPainterPathStroker(QPen(Qt::black, 4.0)).createStroke(arrow));
        painter.setBrush(lit);
    } else {
        painter.setBrush(QColor(0x2c, 0x22, 0x1a));
    }
    painter.drawPath(arrow);
    painter.setPen(QPen(on ? QColor(0x7a, 0x30, 0x08) : QColor(0x4a, 0x3c, 0x30), 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(arrow);
}

void needleHub(QPainter& painter) {
    QPainterPath cap;
    cap.addEllipse(QPointF(11, 11), 10, 10);
    Materials::nickel(painter, cap, cap.boundingRect());
    Materials::gloss(painter, cap, cap.boundingRect(), 90);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(cap);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x50, 0x50, 0x50));
    painter.drawEllipse(QPointF(11, 11), 2.2, 2.2);
}

// A lit lamp: a red jewel with a bright core and a highlight.
void litLamp(QPainter& painter) {
    const QPointF centre(7, 7);
    QRadialGradient jewel(centre, 6.5);
    jewel.setColorAt(0.0, QColor(0xff, 0xb0, 0x90));
    jewel.setColorAt(0.45, QColor(0xff, 0x30, 0x20));
    jewel.setColorAt(1.0, QColor(0xa0, 0x08, 0x04));
    painter.setPen(Qt::NoPen);
    painter.setBrush(jewel);
    painter.drawEllipse(centre, 5.8, 5.8);
    painter.setBrush(QColor(255, 255, 255, 150));
    painter.drawEllipse(QPointF(5.3, 4.8), 1.8, 1.2);
}

void addGlyphs(std::vector<ArtworkImage>& images, const QString& prefix, QSize letter,
               QSize sharp) {
    const QStringList names = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                               QStringLiteral("D"), QStringLiteral("E"), QStringLiteral("F"),
                               QStringLiteral("G"), QStringLiteral("1"), QStringLiteral("2"),
                               QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"),
                               QStringLiteral("6")};
    for (const QString& name : names) {
        images.push_back({prefix + name, letter,
                          [name, letter](QPainter& p) { glyph(p, QSizeF(letter), name); }});
    }
    images.push_back(
        {prefix + QStringLiteral("sharp"), sharp, [sharp](QPainter& p) { sharpSign(p, sharp); }});
}

} // namespace

std::vector<ArtworkImage> TunerArtwork::images() {
    std::vector<ArtworkImage> images = {
        {QStringLiteral("TNMainController_background"), {320, 367}, background},
        {QStringLiteral("TNStrobe_ring_gray"),
         {232, 232},
         [](QPainter& p) { strobeRing(p, QColor(0x98, 0x98, 0x94)); }},
        {QStringLiteral("TNStrobe_ring_green"),
         {232, 232},
         [](QPainter& p) { strobeRing(p, QColor(0x5c, 0xe0, 0x74)); }},
        {QStringLiteral("TNStrobe_ring_blue"),
         {232, 232},
         [](QPainter& p) { strobeRing(p, QColor(0x4c, 0xa8, 0xff)); }},
        {QStringLiteral("TNNeedle_dial"), {300, 240}, needleDial},
        {QStringLiteral("TNNeedle_left_arrow_on"),
         {40, 26},
         [](QPainter& p) { needleArrow(p, false, true); }},
        {QStringLiteral("TNNeedle_left_arrow_off"),
         {40, 26},
         [](QPainter& p) { needleArrow(p, false, false); }},
        {QStringLiteral("TNNeedle_right_arrow_on"),
         {40, 26},
         [](QPainter& p) { needleArrow(p, true, true); }},
        {QStringLiteral("TNNeedle_right_arrow_off"),
         {40, 26},
         [](QPainter& p) { needleArrow(p, true, false); }},
        {QStringLiteral("TNNeedle_hub"), {22, 22}, needleHub},
        {QStringLiteral("TNLED_on"), {14, 14}, litLamp},
    };
    addGlyphs(images, QStringLiteral("TNStrobe_"), {72, 88}, {28, 40});
    addGlyphs(images, QStringLiteral("TNNeedle_"), {42, 50}, {18, 26});
    return images;
}
