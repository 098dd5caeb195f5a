#pragma once

#include "metronome/MTTempoDialModel.h"
#include "ui/View.h"

#include <memory>

namespace fretkit {
class RepeatingTimer;
class TimerScheduler;
} // namespace fretkit

class MTTempoEditor;

// The ridged wheel under the strip, drawn as notches on a turning cylinder. Each 16 points of
// drag change the tempo by one, right for faster; a flick keeps it turning with decaying speed
// (a step every 1/30 s); the mouse wheel turns it one step per notch.
class MTTempoEditorValueDial : public View {
    Q_OBJECT

public:
    static constexpr double kStepInterval = 1.0 / 30.0;

    MTTempoEditorValueDial(fretkit::TimerScheduler& timers, QWidget* parent = nullptr);
    ~MTTempoEditorValueDial() override;

    MTTempoEditor* editor() const { return editor_; }
    void setEditor(MTTempoEditor* editor) { editor_ = editor; }

    const MTTempoDialModel& model() const { return model_; }
    std::int32_t offset() const { return model_.offset(); }
    void setOffset(std::int32_t offset);
    // Turns the notches by `amount` points.
    void shift(float amount);
    bool isCoasting() const;

protected:
    void touchesBegan(const Touch& touch) override;
    void touchesMoved(const Touch& touch) override;
    void touchesEnded(const Touch& touch) override;
    void touchesCancelled(const Touch& touch) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void step(std::int32_t steps);
    void inertia();
    void stopInertia();

    fretkit::TimerScheduler& timers_;
    MTTempoEditor* editor_ = nullptr;
    MTTempoDialModel model_;
    std::shared_ptr<fretkit::RepeatingTimer> timer_;
    int wheelDelta_ = 0; // eighths of a degree not yet turned into a step
};
