#pragma once

#include <QPixmap>
#include <QString>

// Bundle artwork at the screen's scale: at scale 2 the "@2x" file is used where the bundle has
// one, and its pixmap carries a device pixel ratio of 2, so it is drawn at the same size in
// points. The scale is the window's; changing it makes later lookups pick the other files.
class ScreenImage {
public:
    static int scale();
    static void setScale(int scale);

    // The image "name" of type "type" ("png" when empty; a name may carry its extension), or a
    // null pixmap when the bundle has no such file.
    static QPixmap load(const QString& name, const QString& type = QStringLiteral("png"));

    // Draws a stretchable image into the rectangle: the left and right `leftCap` points keep
    // their size, the middle column stretches.
    static void drawStretched(QPainter& painter, const QRect& rect, const QPixmap& image,
                              int leftCap);
};
