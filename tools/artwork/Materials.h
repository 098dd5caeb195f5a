#pragma once

#include <QPainterPath>
#include <QRectF>

class QPainter;

// The theme's materials: dark rosewood with its grain, brushed nickel and brass, and the
// cream of fret markers. Every drawing is deterministic: the grain follows fixed curves.
class Materials {
public:
    static void rosewood(QPainter& painter, const QPainterPath& shape, const QRectF& bounds);
    static void nickel(QPainter& painter, const QPainterPath& shape, const QRectF& bounds);
    static void brass(QPainter& painter, const QPainterPath& shape, const QRectF& bounds);
    static void lacquerRed(QPainter& painter, const QPainterPath& shape, const QRectF& bounds);
    // A round button: a brass rim around a rosewood face, outlined in dark brown.
    static void brassButton(QPainter& painter, const QRectF& disc);
    // A soft highlight over the upper half: the gloss of a lacquered or polished part.
    static void gloss(QPainter& painter, const QPainterPath& shape, const QRectF& bounds,
                      int strength);
};
