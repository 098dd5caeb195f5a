#include "FretboardArtwork.h"

#include "Materials.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdint>

namespace {

// The fingerboard picture is drawn at x 19 of the neck; its wood spans x 36 to 225 there, the
// strings' lines lie at x 48 + 33 i.
constexpr double kBoardWidth = 216;
constexpr double kLength = 1340;
constexpr double kWoodLeft = 17;
constexpr double kWoodWidth = 189;
constexpr double kStringImageWidth = 14;
constexpr double kStringLine = 5; // where a string's line lies in its picture

// A fixed sequence of numbers in [0, 1): the grain is the same on every build.
class Grain {
public:
    double next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state_ >> 11) / static_cast<double>(1ULL << 53);
    }
    double between(double low, double high) { return low + (high - low) * next(); }

private:
    std::uint64_t state_ = 0x5eed0f4a91e5ULL;
};

QPainterPath wavyLine(double x, double amplitude, double wavelength, double phase) {
    QPainterPath line(QPointF(x, -10));
    for (double y = -10; y < kLength + 10; y += wavelength / 2.0) {
        const double side = std::fmod(std::floor((y + phase) / (wavelength / 2.0)), 2.0) == 0.0
                                ? amplitude
                                : -amplitude;
        line.quadTo(QPointF(x + side, y + wavelength / 4.0), QPointF(x, y + wavelength / 2.0));
    }
    return line;
}

// Pale lacquered maple: rounded across its width, with long, gently waving grain and a few
// darker flecks.
void mapleFingerboard(QPainter& painter) {
    const QRectF wood(kWoodLeft, 0, kWoodWidth, kLength);
    // The board's shadow on whatever lies beside it.
    for (int i = 1; i <= 4; ++i) {
        painter.fillRect(wood.adjusted(-i, 0, i, 0), QColor(0, 0, 0, 22));
    }
    QLinearGradient across(wood.topLeft(), wood.topRight());
    across.setColorAt(0.0, QColor(0xb8, 0x84, 0x44));
    across.setColorAt(0.05, QColor(0xda, 0xaa, 0x62));
    across.setColorAt(0.35, QColor(0xf0, 0xcf, 0x8e));
    across.setColorAt(0.55, QColor(0xec, 0xc8, 0x84));
    across.setColorAt(0.95, QColor(0xd4, 0xa0, 0x58));
    across.setColorAt(1.0, QColor(0xac, 0x78, 0x3a));
    painter.fillRect(wood, across);

    painter.save();
    painter.setClipRect(wood);
    Grain grain;
    // Growth rings: broad, soft bands of darker and lighter wood along the neck.
    for (int i = 0; i < 14; ++i) {
        const double x = grain.between(kWoodLeft, kWoodLeft + kWoodWidth);
        const QColor colour = i % 2 == 0 ? QColor(0xa8, 0x70, 0x30, 26) : QColor(255, 244, 214, 30);
        painter.setPen(QPen(colour, grain.between(3.0, 9.0)));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(
            wavyLine(x, grain.between(1.0, 3.0), grain.between(300, 700), grain.between(0, 600)));
    }
    for (int i = 0; i < 46; ++i) {
        const double x = kWoodLeft + kWoodWidth * (i + grain.between(0.1, 0.9)) / 46.0;
        const int alpha = static_cast<int>(grain.between(18, 60));
        const QColor colour =
            i % 4 == 0 ? QColor(0xfa, 0xe6, 0xbc, alpha) : QColor(0x9c, 0x68, 0x2c, alpha);
        painter.setPen(QPen(colour, grain.between(0.35, 1.1)));
        painter.drawPath(
            wavyLine(x, grain.between(0.4, 1.6), grain.between(140, 420), grain.between(0, 400)));
    }
    // Medullary flecks: short, dark, lying along the grain.
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 260; ++i) {
        const double x = grain.between(kWoodLeft + 3, kWoodLeft + kWoodWidth - 3);
        const double y = grain.between(0, kLength);
        painter.setBrush(QColor(0x8a, 0x58, 0x22, static_cast<int>(grain.between(25, 70))));
        painter.drawEllipse(QRectF(x, y, grain.between(0.6, 1.3), grain.between(2.5, 7.0)));
    }
    // The lacquer's sheen along the crown of the board.
    QLinearGradient sheen(wood.topLeft(), wood.topRight());
    sheen.setColorAt(0.25, QColor(255, 255, 255, 0));
    sheen.setColorAt(0.40, QColor(255, 250, 235, 60));
    sheen.setColorAt(0.52, QColor(255, 255, 255, 0));
    painter.fillRect(wood, sheen);
    painter.restore();

    painter.setPen(QPen(QColor(0x6a, 0x44, 0x1a, 150), 1.0));
    painter.drawLine(QPointF(kWoodLeft + 0.5, 0), QPointF(kWoodLeft + 0.5, kLength));
    painter.drawLine(QPointF(kWoodLeft + kWoodWidth - 0.5, 0),
                     QPointF(kWoodLeft + kWoodWidth - 0.5, kLength));
}

// The bone nut across the board, 11 points thick around fret wire 0, slotted for the strings.
void nut(QPainter& painter) {
    const QRectF body(0, 1.5, kWoodWidth, 8);
    painter.fillRect(QRectF(0, 9.5, kWoodWidth, 1.5), QColor(0, 0, 0, 60));
    QLinearGradient bone(body.topLeft(), body.bottomLeft());
    bone.setColorAt(0.0, QColor(0xfe, 0xfa, 0xee));
    bone.setColorAt(0.35, QColor(0xf2, 0xea, 0xd4));
    bone.setColorAt(1.0, QColor(0xc8, 0xbc, 0x9a));
    QPainterPath shape;
    shape.addRoundedRect(body, 1.5, 1.5);
    painter.fillPath(shape, bone);
    painter.setPen(QPen(QColor(0x8a, 0x7c, 0x5c), 0.6));
    painter.drawPath(shape);
    for (int i = 0; i < 6; ++i) {
        const double x = 11.5 + 33.0 * i;
        QLinearGradient slot(QPointF(x - 1.2, 0), QPointF(x + 1.2, 0));
        slot.setColorAt(0.0, QColor(0x7a, 0x6a, 0x48, 150));
        slot.setColorAt(1.0, QColor(0xb8, 0xaa, 0x88, 120));
        painter.fillRect(QRectF(x - 1.2, 1.5, 2.4, 4.5), slot);
    }
}

// Nickel-silver fret wire with a rounded crown and dressed ends, its shadow on the wood.
void fretWire(QPainter& painter) {
    const double width = kWoodWidth + 2;
    QLinearGradient shadow(QPointF(0, 3.5), QPointF(0, 6));
    shadow.setColorAt(0.0, QColor(0x40, 0x24, 0x08, 110));
    shadow.setColorAt(1.0, QColor(0x40, 0x24, 0x08, 0));
    painter.fillRect(QRectF(1, 3.5, width - 2, 2.5), shadow);
    const QRectF crown(0, 1.2, width, 3.4);
    QPainterPath wire;
    wire.addRoundedRect(crown, 1.7, 1.7);
    QLinearGradient metal(crown.topLeft(), crown.bottomLeft());
    metal.setColorAt(0.0, QColor(0x78, 0x78, 0x74));
    metal.setColorAt(0.3, QColor(0xfc, 0xfc, 0xfa));
    metal.setColorAt(0.55, QColor(0xc6, 0xc6, 0xc0));
    metal.setColorAt(1.0, QColor(0x5c, 0x5c, 0x58));
    painter.fillPath(wire, metal);
}

// A black dot, faintly polished.
void inlay(QPainter& painter) {
    QRadialGradient dot(QPointF(10, 10), 9.4, QPointF(9, 8.2));
    dot.setColorAt(0.0, QColor(0x46, 0x42, 0x3e));
    dot.setColorAt(0.6, QColor(0x1c, 0x1a, 0x18));
    dot.setColorAt(1.0, QColor(0x06, 0x06, 0x06));
    painter.setPen(Qt::NoPen);
    painter.setBrush(dot);
    painter.drawEllipse(QPointF(10, 10), 9.2, 9.2);
}

// A string seen from above: a shadow on the board, a round steel core and, on the thick
// strings, the winding's helix.
void string(QPainter& painter, double thickness, bool wound) {
    const double left = kStringLine - thickness / 2.0;
    // The string stands above the board: its shadow falls a little aside, soft.
    for (int i = 0; i < 4; ++i) {
        painter.fillRect(QRectF(left + 1.8 + i * 0.5, 0, thickness + 0.4, kLength),
                         QColor(0x30, 0x1c, 0x08, 30));
    }
    QLinearGradient metal(QPointF(left, 0), QPointF(left + thickness, 0));
    if (wound) {
        metal.setColorAt(0.0, QColor(0x46, 0x44, 0x3e));
        metal.setColorAt(0.3, QColor(0xf6, 0xf4, 0xee));
        metal.setColorAt(0.6, QColor(0xb8, 0xb4, 0xaa));
        metal.setColorAt(1.0, QColor(0x34, 0x32, 0x2c));
    } else {
        metal.setColorAt(0.0, QColor(0x5c, 0x5c, 0x5c));
        metal.setColorAt(0.35, QColor(0xff, 0xff, 0xff));
        metal.setColorAt(0.65, QColor(0xe4, 0xe4, 0xe4));
        metal.setColorAt(1.0, QColor(0x4c, 0x4c, 0x4c));
    }
    const QRectF core(left, 0, thickness, kLength);
    painter.fillRect(core, metal);
    if (!wound) {
        return;
    }
    // The winding: one slanted groove per turn of the wrap wire, lit on its far side.
    const double pitch = std::max(1.1, thickness * 0.55);
    painter.save();
    painter.setClipRect(core);
    for (double y = -thickness; y < kLength; y += pitch) {
        const QPointF from(left, y);
        const QPointF to(left + thickness, y + thickness * 0.45);
        painter.setPen(QPen(QColor(0x18, 0x16, 0x12, 140), std::max(0.35, pitch * 0.3)));
        painter.drawLine(from, to);
        painter.setPen(QPen(QColor(255, 255, 255, 50), std::max(0.25, pitch * 0.18)));
        painter.drawLine(from + QPointF(0, pitch * 0.4), to + QPointF(0, pitch * 0.4));
    }
    painter.restore();
}

void fingerDisc(QPainter& painter, bool black) {
    const QPointF centre(15, 15);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 90));
    painter.drawEllipse(centre + QPointF(0, 0.9), 14.0, 14.0);
    QRadialGradient body(centre, 13.6, centre + QPointF(-3.5, -5));
    if (black) {
        body.setColorAt(0.0, QColor(0x62, 0x5e, 0x5a));
        body.setColorAt(0.5, QColor(0x22, 0x20, 0x1e));
        body.setColorAt(1.0, QColor(0x02, 0x02, 0x02));
    } else {
        body.setColorAt(0.0, QColor(0xff, 0xf6, 0xaa));
        body.setColorAt(0.45, QColor(0xff, 0xd6, 0x36));
        body.setColorAt(0.85, QColor(0xe2, 0xa6, 0x00));
        body.setColorAt(1.0, QColor(0xa6, 0x70, 0x00));
    }
    painter.setBrush(body);
    painter.setPen(QPen(black ? QColor(0x00, 0x00, 0x00) : QColor(0x6a, 0x48, 0x00), 0.8));
    painter.drawEllipse(centre, 13.4, 13.4);
    // The gloss of the upper half.
    QLinearGradient gloss(QPointF(0, 2), QPointF(0, 14));
    gloss.setColorAt(0.0, QColor(255, 255, 255, black ? 90 : 120));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gloss);
    painter.drawEllipse(QRectF(6, 2.4, 18, 11.5));
}

// A warm glow that rings a 32-point finger and fades out to the edge; its middle stays clear so
// that the finger's title reads through it.
void halo(QPainter& painter) {
    const QPointF centre(32, 32);
    QRadialGradient glow(centre, 32);
    glow.setColorAt(0.0, QColor(255, 250, 210, 0));
    glow.setColorAt(0.36, QColor(255, 250, 210, 0));
    glow.setColorAt(0.47, QColor(255, 252, 224, 235));
    glow.setColorAt(0.58, QColor(255, 226, 120, 170));
    glow.setColorAt(0.78, QColor(255, 196, 60, 60));
    glow.setColorAt(1.0, QColor(255, 180, 40, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, 32, 32);
}

// The root mark behind a string title: a black disc in a brass ring.
void rootBackground(QPainter& painter) {
    QPainterPath ring;
    ring.addEllipse(QPointF(12.5, 12.5), 12, 12);
    Materials::brass(painter, ring, ring.boundingRect());
    QPainterPath disc;
    disc.addEllipse(QPointF(12.5, 12.5), 10.4, 10.4);
    QRadialGradient body(QPointF(12.5, 12.5), 10.4, QPointF(10, 8));
    body.setColorAt(0.0, QColor(0x4a, 0x46, 0x42));
    body.setColorAt(1.0, QColor(0x08, 0x08, 0x08));
    painter.fillPath(disc, body);
}

} // namespace

std::vector<ArtworkImage> FretboardArtwork::images() {
    std::vector<ArtworkImage> images = {
        {QStringLiteral("BZFretboard_fingerboard_maple"),
         {static_cast<int>(kBoardWidth), static_cast<int>(kLength)},
         mapleFingerboard},
        {QStringLiteral("BZFretboard_nut"), {static_cast<int>(kWoodWidth), 11}, nut},
        {QStringLiteral("BZFretboard_fret"), {static_cast<int>(kWoodWidth) + 2, 6}, fretWire},
        {QStringLiteral("BZFretboard_inlay"), {20, 20}, inlay},
        {QStringLiteral("BZFinger_background_yellow"),
         {30, 30},
         [](QPainter& p) { fingerDisc(p, false); }},
        {QStringLiteral("BZFinger_background_black"),
         {30, 30},
         [](QPainter& p) { fingerDisc(p, true); }},
        {QStringLiteral("BZFinger_highlight"), {64, 64}, halo},
        {QStringLiteral("BZStringTitle_isRoot_background"), {25, 25}, rootBackground},
    };
    // Gauge, thickness in points, wound.
    const struct {
        int gauge;
        double thickness;
        bool wound;
    } strings[] = {{48, 3.6, true}, {38, 3.0, true},  {28, 2.5, true},
                   {18, 2.0, true}, {14, 1.5, false}, {11, 1.2, false}};
    for (const auto& s : strings) {
        images.push_back({QStringLiteral("BZString_%1").arg(s.gauge),
                          {static_cast<int>(kStringImageWidth), static_cast<int>(kLength)},
                          [s](QPainter& p) { string(p, s.thickness, s.wound); }});
    }
    return images;
}
