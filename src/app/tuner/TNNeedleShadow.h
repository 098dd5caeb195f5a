#pragma once

#include "TNNeedle.h"

// The needle's shadow: the same line, wider, in translucent black, and the cap's shadow; it
// turns with the needle.
class TNNeedleShadow : public TNNeedle {
    Q_OBJECT

public:
    using TNNeedle::TNNeedle;

protected:
    QPen pen() const override;
    void drawFoot(QPainter& painter, QPointF foot) const override;
};
