#pragma once

#include "foundation/TimerScheduler.h"
#include "tuner/TNNeedleMotion.h"

#include <QWidget>
#include <memory>

class TNNeedle;
class TNNeedleShadow;

// The needle display: a meter whose needle swings to the note's offset in cents over a printed
// scale, with flat and sharp arrows and the note's letter (or string number) below the pivot.
// The needle moves on a timer of 60 ticks a second from start() to stop(); stopped, it still
// takes notes and keeps its angle. Main thread only.
class TNNeedleView : public QWidget {
    Q_OBJECT

public:
    static constexpr QPointF kPivot{150.0, 168.0};
    static constexpr double kNeedleLength = 150.0;

    TNNeedleView(fretkit::TimerScheduler& scheduler, QWidget* parent = nullptr);
    ~TNNeedleView() override;

    void input(const std::optional<TNNote>& note);
    void start();
    void stop();
    void refresh();

    bool isRunning() const { return timer_ != nullptr; }
    const TNNeedleMotion& motion() const { return motion_; }
    // The images shown now: "TNNeedle_left_arrow_on", "TNNeedle_E"; no letter without a note.
    QString leftArrowImage() const;
    QString rightArrowImage() const;
    const QString& letterImage() const { return letterImage_; }
    bool isSharpShown() const { return sharpShown_; }
    TNNeedle* needle() const { return needle_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void turnNeedle();

    fretkit::TimerScheduler& scheduler_;
    std::shared_ptr<fretkit::RepeatingTimer> timer_;
    TNNeedleMotion motion_;
    TNNeedleShadow* needleShadow_;
    TNNeedle* needle_;
    QString letterImage_;
    bool sharpShown_ = false;
};
