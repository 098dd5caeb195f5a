#pragma once

#include <QPointF>

// One finger on the screen, as the mouse plays it: where it is in the view that received it and
// when (seconds on a steady clock).
struct Touch {
    QPointF location;
    QPointF previousLocation;
    double timestamp = 0.0;
};
