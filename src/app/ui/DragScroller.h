#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QTimer>

class QAbstractScrollArea;
class QWidget;

// Scrolls a scroll area vertically by pressing and dragging in it, as a finger does on the
// phone. A press that moves no farther than the slop stays with the widget it began on (a cell
// selects on release); beyond the slop the drag belongs to the scroller, the widget hears that
// the press was cancelled and its release does not reach it. Letting go while moving fast
// coasts on, slowing down until it stops or meets an end.
class DragScroller : public QObject {
    Q_OBJECT

public:
    static constexpr double kSlop = 8.0;         // points a press may wander and stay a tap
    static constexpr double kFlickSpeed = 150.0; // points per second needed to coast
    static constexpr double kDeceleration = 2.5; // of the speed lost per second (exponential)

    explicit DragScroller(QAbstractScrollArea* area);

    // Drags that begin on `widget` (or reach it from a child that ignores the mouse) scroll.
    void watch(QWidget* widget);

    bool isDragging() const { return dragging_; }
    bool isCoasting() const { return coast_.isActive(); }
    void stop() { coast_.stop(); }

signals:
    // The press on `widget` became a drag: whatever the press began there is cancelled.
    void dragStarted(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void scrollTo(double value);
    void coastStep();

    QAbstractScrollArea* area_;
    QPointer<QWidget> pressed_;
    bool dragging_ = false;
    QPointF pressAt_;
    double pressValue_ = 0.0;
    // The two most recent samples (time in seconds, global y), for the speed at release.
    double sampleTime_[2] = {0.0, 0.0};
    double sampleY_[2] = {0.0, 0.0};
    QElapsedTimer clock_;
    QTimer coast_;
    double velocity_ = 0.0; // points per second, in scroll value
    double position_ = 0.0;
    double lastStep_ = 0.0;
};
