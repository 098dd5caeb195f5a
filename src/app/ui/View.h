#pragma once

#include "Responder.h"
#include "Touch.h"

#include <QWidget>

// A view of the phone screen: receives touches from the mouse (a touch that begins in a view
// stays with it until it ends or is cancelled), and carries an alpha and a rotation that named
// animations can change. Alpha works on any widget (see setAlpha); rotation is drawn by the view
// itself through applyRotation(). A view is a link of the responder chain; one that can become
// first responder receives the shakes first.
class View : public QWidget, public Responder {
    Q_OBJECT

public:
    explicit View(QWidget* parent = nullptr);

    // Alpha of any widget, 0 (invisible) to 1 (opaque). A view that paints its own alpha keeps
    // the value and draws with it; any other widget is given an opacity effect.
    static void setAlpha(QWidget* widget, double alpha);
    static double alpha(const QWidget* widget);

    double rotation() const { return rotation_; } // radians, clockwise, about the centre
    void setRotation(double radians);

    bool isTracking() const { return tracking_; }

    bool becomeFirstResponder() { return ResponderChain::becomeFirstResponder(this); }
    bool resignFirstResponder() { return ResponderChain::resignFirstResponder(this); }
    bool isFirstResponder() const { return ResponderChain::isFirstResponder(this); }

protected:
    virtual void touchesBegan(const Touch&) {}
    virtual void touchesMoved(const Touch&) {}
    virtual void touchesEnded(const Touch&) {}
    virtual void touchesCancelled(const Touch&) {}

    // Turns the painter so that drawing in the view's own coordinates shows rotated.
    void applyRotation(QPainter& painter) const;

    // For views without child widgets that fade inside a turned scene (the landscape faces):
    // Qt's opacity effect draws nothing under a rotation of more than 45 degrees, so these views
    // keep their alpha and apply it to their own painter (applyAlpha).
    void setPaintsOwnAlpha() { paintsOwnAlpha_ = true; }
    void applyAlpha(QPainter& painter) const;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    Touch touchAt(QPointF location);

    double rotation_ = 0.0;
    bool paintsOwnAlpha_ = false;
    double ownAlpha_ = 1.0;
    bool tracking_ = false;
    QPointF lastLocation_;
};
