#pragma once

#include "TNDisplayView.h"
#include "tuner/TNStrobeMotion.h"

// The strobe display: a segmented ring that turns at a speed proportional to the note's
// deviation and stands still in tune, with the note's letter (or string number) and sharp sign
// in its middle; 30 ticks a second.
class TNStrobeView : public TNDisplayView {
    Q_OBJECT

public:
    TNStrobeView(fretkit::TimerScheduler& scheduler, QWidget* parent = nullptr);

    void input(const std::optional<TNNote>& note) override;
    void refresh() override;

    const TNStrobeMotion& motion() const { return motion_; }
    // The ring image shown now: "TNStrobe_ring_gray", "_green" or "_blue".
    QString ringImage() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TNStrobeMotion motion_;
};
