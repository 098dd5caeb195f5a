#pragma once

#include "TNDisplayView.h"
#include "tuner/TNNeedleMotion.h"

class TNNeedle;
class TNNeedleShadow;

// The needle display: a meter whose needle swings to the note's offset in cents over a printed
// scale, with flat and sharp arrows and the note's letter (or string number) below the pivot;
// 60 ticks a second.
class TNNeedleView : public TNDisplayView {
    Q_OBJECT

public:
    static constexpr QPointF kPivot{150.0, 168.0};
    static constexpr double kNeedleLength = 150.0;

    TNNeedleView(fretkit::TimerScheduler& scheduler, QWidget* parent = nullptr);

    void input(const std::optional<TNNote>& note) override;
    void refresh() override;

    const TNNeedleMotion& motion() const { return motion_; }
    // The arrow images shown now: "TNNeedle_left_arrow_on" or "_off", and the right one.
    QString leftArrowImage() const;
    QString rightArrowImage() const;
    TNNeedle* needle() const { return needle_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void turnNeedle();

    TNNeedleMotion motion_;
    TNNeedleShadow* needleShadow_;
    TNNeedle* needle_;
};
