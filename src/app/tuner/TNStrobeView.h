#pragma once

#include "foundation/TimerScheduler.h"
#include "tuner/TNStrobeMotion.h"

#include <QWidget>
#include <memory>

// The strobe display: a segmented ring that turns at a speed proportional to the note's
// deviation and stands still in tune, with the note's letter (or string number) and sharp sign
// in its middle. It moves on a timer of 30 ticks a second that runs from start() to stop();
// stopped, it still takes notes and keeps its angle. Main thread only.
class TNStrobeView : public QWidget {
    Q_OBJECT

public:
    TNStrobeView(fretkit::TimerScheduler& scheduler, QWidget* parent = nullptr);
    ~TNStrobeView() override;

    void input(const std::optional<TNNote>& note);
    void start();
    void stop();
    void refresh();

    bool isRunning() const { return timer_ != nullptr; }
    const TNStrobeMotion& motion() const { return motion_; }
    // The images shown now: "TNStrobe_ring_green", "TNStrobe_A"; no letter without a note.
    QString ringImage() const;
    const QString& letterImage() const { return letterImage_; }
    bool isSharpShown() const { return sharpShown_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    fretkit::TimerScheduler& scheduler_;
    std::shared_ptr<fretkit::RepeatingTimer> timer_;
    TNStrobeMotion motion_;
    QString letterImage_;
    bool sharpShown_ = false;
};
