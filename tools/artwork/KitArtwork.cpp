#include "KitArtwork.h"

#include "Materials.h"

#include <QPainter>
#include <QPainterPath>

namespace {

void navigationBar(QPainter& painter) {
    const QRectF bar(0, 0, 320, 44);
    QPainterPath shape;
    shape.addRect(bar);
    Materials::rosewood(painter, shape, bar);
    Materials::gloss(painter, shape, bar, 46);
    // A polished nickel edge along the bottom and a fine light line on top.
    QPainterPath edge;
    edge.addRect(QRectF(0, 41.5, 320, 2.5));
    Materials::nickel(painter, edge, edge.boundingRect());
    painter.setPen(QPen(QColor(0, 0, 0, 150), 0.5));
    painter.drawLine(QPointF(0, 41.25), QPointF(320, 41.25));
    painter.setPen(QPen(QColor(255, 230, 200, 70), 1.0));
    painter.drawLine(QPointF(0, 0.5), QPointF(320, 0.5));
}

void chevron(QPainter& painter, const QColor& colour) {
    QPainterPath path;
    path.moveTo(2.5, 2.5);
    path.lineTo(7.5, 7.0);
    path.lineTo(2.5, 11.5);
    painter.setPen(QPen(colour, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
}

void checkmark(QPainter& painter, const QColor& colour) {
    QPainterPath path;
    path.moveTo(2.0, 8.0);
    path.lineTo(5.8, 12.0);
    path.lineTo(13.0, 2.5);
    painter.setPen(QPen(colour, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
}

void deleteButton(QPainter& painter) {
    const QRectF box(0.5, 0.5, 19, 43);
    QPainterPath shape;
    shape.addRoundedRect(box, 8, 8);
    Materials::lacquerRed(painter, shape, box);
    Materials::gloss(painter, shape, box, 70);
    painter.setPen(QPen(QColor(0x3c, 0x06, 0x04), 1.0));
    painter.drawPath(shape);
    QPainterPath inner;
    inner.addRoundedRect(box.adjusted(1, 1, -1, -1), 7, 7);
    painter.setPen(QPen(QColor(255, 200, 190, 60), 1.0));
    painter.drawPath(inner);
}

void aboutButton(QPainter& painter) {
    Materials::brassButton(painter, QRectF(2, 2, 26, 26));
    // The "i": a dot and a stem in cream.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xf4, 0xe8, 0xcc));
    painter.drawEllipse(QPointF(15, 9.6), 1.9, 1.9);
    painter.drawRoundedRect(QRectF(13.4, 12.8, 3.2, 9.4), 1.2, 1.2);
}

void applicationIcon(QPainter& painter) {
    const QRectF box(0, 0, 57, 57);
    QPainterPath tile;
    tile.addRoundedRect(box, 10, 10);
    Materials::rosewood(painter, tile, box);
    painter.save();
    painter.setClipPath(tile);
    // Fret wires across a neck seen from above, with a pearl inlay between them.
    for (const double x : {12.0, 30.0, 46.0}) {
        QPainterPath fret;
        fret.addRect(QRectF(x - 1.4, 0, 2.8, 57));
        Materials::nickel(painter, fret, QRectF(x - 1.4, 0, 2.8, 57));
    }
    QRadialGradient pearl(QPointF(20.0, 27.0), 5.5);
    pearl.setColorAt(0.0, QColor(0xff, 0xfb, 0xf2));
    pearl.setColorAt(0.7, QColor(0xe6, 0xdc, 0xca));
    pearl.setColorAt(1.0, QColor(0xb8, 0xae, 0x9c));
    painter.setPen(Qt::NoPen);
    painter.setBrush(pearl);
    painter.drawEllipse(QPointF(21.0, 28.5), 4.6, 4.6);
    // Six strings, the thick ones wound and darker, catching the light.
    for (int s = 0; s < 6; ++s) {
        const double y = 8.0 + s * 8.2;
        const double width = 0.8 + (5 - s) * 0.28;
        painter.setPen(QPen(QColor(0, 0, 0, 110), width + 0.8));
        painter.drawLine(QPointF(0, y + 0.9), QPointF(57, y + 0.9));
        painter.setPen(QPen(s < 3 ? QColor(0xd8, 0xb8, 0x82) : QColor(0xee, 0xee, 0xe8), width));
        painter.drawLine(QPointF(0, y), QPointF(57, y));
    }
    painter.restore();
    Materials::gloss(painter, tile, box, 60);
    painter.setPen(QPen(QColor(0x1a, 0x0c, 0x04), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
}

} // namespace

std::vector<ArtworkImage> KitArtwork::images() {
    const QColor accessory(0x8a, 0x5a, 0x2c);
    const QColor highlighted(0xff, 0xf8, 0xec);
    const QColor check(0x00, 0x40, 0x80);
    return {
        {QStringLiteral("NavigationBar_background"), {320, 44}, navigationBar},
        {QStringLiteral("TableViewCell_disclosure"),
         {10, 14},
         [accessory](QPainter& p) { chevron(p, accessory); }},
        {QStringLiteral("TableViewCell_disclosure_highlighted"),
         {10, 14},
         [highlighted](QPainter& p) { chevron(p, highlighted); }},
        {QStringLiteral("TableViewCell_checkmark"),
         {15, 14},
         [check](QPainter& p) { checkmark(p, check); }},
        {QStringLiteral("TableViewCell_checkmark_highlighted"),
         {15, 14},
         [highlighted](QPainter& p) { checkmark(p, highlighted); }},
        {QStringLiteral("QVDeleteButtonTableViewCell_background"), {20, 44}, deleteButton},
        {QStringLiteral("QVAbout_button"), {30, 30}, aboutButton},
        {QStringLiteral("rendered_Icon"), {57, 57}, applicationIcon},
    };
}
