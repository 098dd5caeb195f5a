#pragma once

#include "metronome/MTTempoStripModel.h"
#include "ui/View.h"

#include <QFont>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace fretkit {
class RepeatingTimer;
class TimerScheduler;
} // namespace fretkit

class MTTempoEditor;

// The strip of Italian tempo names, "largo" to "prestissimo", with the current tempo's name in
// the centre. Dragging scrolls it with a tock at each name; a release coasts and snaps to a
// name, whose middle tempo goes to the editor; a tempo set elsewhere glides the strip to its
// name. The wheel moves it one name per notch. Animations step every 1/30 s.
class MTTempoEditorTitlePicker : public View {
    Q_OBJECT

public:
    static constexpr int kFontSize = 19;
    static constexpr float kSpacing = 20.0f;
    static constexpr double kStepInterval = 1.0 / 30.0;

    MTTempoEditorTitlePicker(fretkit::TimerScheduler& timers, QWidget* parent = nullptr);
    ~MTTempoEditorTitlePicker() override;

    MTTempoEditor* editor() const { return editor_; }
    void setEditor(MTTempoEditor* editor) { editor_ = editor; }

    // Shows the name whose range holds the tempo.
    void setTempo(std::uint32_t tempo);

    const MTTempoStripModel& model() const { return model_; }
    std::int32_t scroll() const { return model_.scroll(); }
    bool isAutoscrolling() const;
    // Left edges of the names' slots in the view (ScrollStrip::kNotFound right of it).
    const std::vector<std::int32_t>& positions() const { return positions_; }

    // The tock at each name. By default the bundle's "MTTempoEditorTitlePicker_tock" ("caf"),
    // heard while the app's audio stream runs; a player given here replaces it, an empty one
    // silences the strip.
    static void setClickPlayer(std::function<void()> player);
    static void playDefaultClick();

protected:
    void touchesBegan(const Touch& touch) override;
    void touchesMoved(const Touch& touch) override;
    void touchesEnded(const Touch& touch) override;
    void touchesCancelled(const Touch& touch) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void apply(const MTTempoStripModel::Move& move);
    void refreshPositions();
    void startAutoscroll();
    void autoscroll();
    void stopAutoscroll();
    void drawFrame(QPainter& painter) const;

    fretkit::TimerScheduler& timers_;
    MTTempoEditor* editor_ = nullptr;
    QFont font_;
    MTTempoStripModel model_;
    std::vector<std::int32_t> positions_;
    std::shared_ptr<fretkit::RepeatingTimer> timer_;
    int wheelDelta_ = 0; // eighths of a degree not yet turned into a name
};
