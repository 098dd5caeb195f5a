#include "AppIcon.h"

#include "Materials.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

const QRectF kTile(12, 12, 232, 232);
const QRectF kFace = kTile.adjusted(10, 10, -10, -10);

QPainterPath pick() {
    // A standard pick: wide shoulders, a rounded tip pointing down.
    QPainterPath path;
    path.moveTo(128, 64);
    path.cubicTo(QPointF(176, 62), QPointF(200, 78), QPointF(198, 108));
    path.cubicTo(QPointF(196, 142), QPointF(160, 186), QPointF(136, 208));
    path.cubicTo(QPointF(131, 213), QPointF(125, 213), QPointF(120, 208));
    path.cubicTo(QPointF(96, 186), QPointF(60, 142), QPointF(58, 108));
    path.cubicTo(QPointF(56, 78), QPointF(80, 62), QPointF(128, 64));
    return path;
}

void strings(QPainter& painter) {
    for (int i = 0; i < 6; ++i) {
        const double x = 63.0 + i * 26.0;
        const double width = 6.0 - i * 0.7;
        QPainterPath string;
        string.addRect(QRectF(x - width / 2.0, kFace.top(), width, kFace.height()));
        painter.fillPath(string.translated(2, 0), QColor(0, 0, 0, 110));
        Materials::nickel(painter, string, string.boundingRect().adjusted(0, 0, 0, 0));
    }
}

void fret(QPainter& painter, double y) {
    QPainterPath wire;
    wire.addRoundedRect(QRectF(kFace.left(), y, kFace.width(), 9), 4, 4);
    painter.fillPath(wire.translated(0, 3), QColor(0, 0, 0, 120));
    Materials::nickel(painter, wire, wire.boundingRect());
}

} // namespace

void AppIcon::draw(QPainter& painter) {
    QPainterPath rim;
    rim.addRoundedRect(kTile, 48, 48);
    painter.fillPath(rim.translated(0, 4), QColor(0, 0, 0, 90));
    Materials::brass(painter, rim, kTile);
    QPainterPath face;
    face.addRoundedRect(kFace, 40, 40);
    Materials::rosewood(painter, face, kFace);

    painter.save();
    painter.setClipPath(face);
    fret(painter, 44);
    strings(painter);
    fret(painter, 170);
    painter.restore();

    const QPainterPath shape = pick();
    painter.fillPath(shape.translated(0, 6), QColor(0, 0, 0, 120));
    QLinearGradient amber(QPointF(0, 64), QPointF(0, 212));
    amber.setColorAt(0.0, QColor(0xf8, 0xd6, 0x7a));
    amber.setColorAt(0.55, QColor(0xe0, 0x8a, 0x26));
    amber.setColorAt(1.0, QColor(0xa8, 0x4e, 0x10));
    painter.fillPath(shape, amber);
    Materials::gloss(painter, shape, shape.boundingRect(), 90);
    painter.setPen(QPen(QColor(0x5a, 0x28, 0x06), 3.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);

    Materials::gloss(painter, face, kFace, 40);
    painter.setPen(QPen(QColor(0x1a, 0x0c, 0x04), 3.0));
    painter.drawRoundedRect(kTile.adjusted(1.5, 1.5, -1.5, -1.5), 47, 47);
}

bool AppIcon::writeThemeIcons(const QString& folder, QString* error) {
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QDir(folder).filePath(QStringLiteral("%1x%1/apps").arg(size));
        QImage pixels(size, size, QImage::Format_ARGB32_Premultiplied);
        pixels.fill(Qt::transparent);
        {
            QPainter painter(&pixels);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(size / 256.0, size / 256.0);
            draw(painter);
        }
        const QString file = QDir(dir).filePath(QStringLiteral("%1.png").arg(kName));
        if (!QDir().mkpath(dir) || !pixels.save(file, "PNG")) {
            *error = QStringLiteral("cannot write %1").arg(file);
            return false;
        }
    }
    return true;
}
