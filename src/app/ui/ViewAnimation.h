#pragma once

#include <QEasingCurve>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

// A named animation of view properties (alpha, centre, frame, rotation), committed as one: all
// parts share the duration and the curve, and the did-stop callback runs once, when the last
// part ends, with finished = false when another animation took a property over first. A
// property that is already animating is taken over: from where it is now when "begin from
// current state" is set, else from where the running animation was headed. A zero duration
// applies the values at once and calls did-stop before commit() returns.
class ViewAnimation {
public:
    enum class Curve { EaseInOut, EaseIn, EaseOut, Linear };
    using DidStop = std::function<void(const QString& name, bool finished)>;

    explicit ViewAnimation(QString name = {});

    ViewAnimation& duration(double seconds);
    ViewAnimation& curve(Curve curve);
    ViewAnimation& beginFromCurrentState(bool flag);
    ViewAnimation& didStop(DidStop callback);

    ViewAnimation& alpha(QWidget* view, double alpha);
    ViewAnimation& center(QWidget* view, QPointF center);
    ViewAnimation& frame(QWidget* view, QRect frame);
    ViewAnimation& rotation(QWidget* view, double radians); // views of class View only

    void commit();

    // The timing curve: the standard cubic Béziers of the four names.
    static QEasingCurve easingCurve(Curve curve);
    // True while some animation changes a property of the view.
    static bool isAnimating(const QWidget* view);

private:
    enum class Property { Alpha, Frame, Rotation };
    struct Change {
        QWidget* view;
        Property property;
        QVariant target;
    };

    static QVariant currentValue(QWidget* view, Property property);
    static void apply(QWidget* view, Property property, const QVariant& value);

    QString name_;
    double duration_ = 0.2;
    Curve curve_ = Curve::EaseInOut;
    bool fromCurrentState_ = false;
    DidStop didStop_;
    std::vector<Change> changes_;
};
