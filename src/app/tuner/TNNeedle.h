#pragma once

#include "ui/View.h"

// The needle of the needle display: a white line from the pivot up to the tip, under the nickel
// cap of the pivot. The view is a square centred on the pivot, so that its rotation (about its
// centre) swings the needle about its foot.
class TNNeedle : public View {
    Q_OBJECT

public:
    // `length` in points from pivot to tip.
    TNNeedle(double length, QWidget* parent = nullptr);

    // Places the view so that the needle's foot is at `pivot` of the parent.
    void setPivot(QPointF pivot);

protected:
    void paintEvent(QPaintEvent* event) override;
    // The line's colour and width.
    virtual QPen pen() const;
    // What covers the foot: the pivot's cap.
    virtual void drawFoot(QPainter& painter, QPointF foot) const;

private:
    double length_;
};
