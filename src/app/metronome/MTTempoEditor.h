#pragma once

#include "metronome/MTTempoEditorModel.h"
#include "ui/View.h"

#include <cstdint>

namespace fretkit {
class TimerScheduler;
}

class MTTempoEditorDelegate;
class QWheelEvent;
class MTTempoEditorTitlePicker;
class MTTempoEditorValueDial;

// The metronome's tempo control: the strip of tempo names over the ridged wheel. It holds the
// tempo, 40 to 280, and tells its delegate of every change; the strip shows the tempo's name.
class MTTempoEditor : public View {
    Q_OBJECT

public:
    static constexpr int kStripHeight = 44;
    static constexpr int kDialHeight = 48;

    // The strip and the wheel animate on `timers`' clock.
    explicit MTTempoEditor(fretkit::TimerScheduler& timers, QWidget* parent = nullptr);

    std::uint32_t tempo() const { return model_.tempo(); }
    // Clamps to 40-280; a changed value goes to the strip and then to the delegate.
    void setTempo(std::uint32_t tempo);
    // The tempo `steps` higher (lower when negative), clamped.
    void stepTempo(std::int64_t steps);

    MTTempoEditorDelegate* delegate() const { return delegate_; }
    void setDelegate(MTTempoEditorDelegate* delegate) { delegate_ = delegate; }

    // Whole notches of a wheel event (up is positive; a sideways wheel counts leftwards as up),
    // keeping the part of a notch a fine-grained wheel has turned in `pending`.
    static int wheelNotches(const QWheelEvent& event, int& pending);

    MTTempoEditorTitlePicker* titlePicker() const { return titlePicker_; }
    MTTempoEditorValueDial* valueDial() const { return valueDial_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    MTTempoEditorModel model_;
    MTTempoEditorDelegate* delegate_ = nullptr;
    MTTempoEditorTitlePicker* titlePicker_;
    MTTempoEditorValueDial* valueDial_;
};
