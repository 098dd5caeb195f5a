#pragma once

#include <QWidget>

// Reading and replacing one member of a view's frame, leaving the others as they are.
class QVViewFrame {
public:
    static QPoint origin(const QWidget& view) { return view.geometry().topLeft(); }
    static void setOrigin(QWidget& view, QPoint origin) { view.move(origin); }
    static int xOrigin(const QWidget& view) { return view.x(); }
    static void setXOrigin(QWidget& view, int x) { view.move(x, view.y()); }
    static int yOrigin(const QWidget& view) { return view.y(); }
    static void setYOrigin(QWidget& view, int y) { view.move(view.x(), y); }
    static int width(const QWidget& view) { return view.width(); }
    static void setWidth(QWidget& view, int width) { view.resize(width, view.height()); }
    static int height(const QWidget& view) { return view.height(); }
    static void setHeight(QWidget& view, int height) { view.resize(view.width(), height); }
};
