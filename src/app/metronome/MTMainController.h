#pragma once

#include "MTTempoEditorDelegate.h"
#include "audio/QVAudioStreamDelegate.h"
#include "kit/QVTableViewDelegate.h"
#include "metronome/MTBeatEngine.h"
#include "metronome/MTTapTempo.h"
#include "shell/BZMainController.h"
#include "ui/ViewAnimation.h"

#include <QPointF>
#include <memory>
#include <vector>

class QLabel;
class MTMainButton;
class MTTempoEditor;

namespace fretkit {
class RepeatingTimer;
class TimerScheduler;
} // namespace fretkit

// The metronome: clicks placed at sample-exact beats by the core beat engine, accented by the
// time signature, and a cursor that swings from edge to edge once per beat, with a flash on the
// side it reaches and, when asked, one on every bar. The tempo comes from the tempo editor, the
// step buttons or tapping.
//
// The audio thread signals each beat it places; the screen looks for it at the display's rate
// and shows it when it is heard: the buffer's render time, the beat's place in the buffer and
// the stream's output latency tell when that is.
class MTMainController : public BZMainController,
                         public QVAudioStreamRenderer,
                         public MTTempoEditorDelegate,
                         public QVTableFooterForSection {
    Q_OBJECT
    // What scripted runs read: the beat animations the screen has run since it was made, and
    // the output latency they wait for.
    Q_PROPERTY(int animationCount READ animationCount)
    Q_PROPERTY(double outputLatency READ outputLatency)

public:
    static constexpr double kTrackY = 140.5;
    static constexpr double kRestX = 160.0;
    static constexpr double kTrackRight = 320.0;
    static constexpr double kFlashDuration = 0.5;
    static constexpr double kStopDuration = 0.01;
    static constexpr double kPollInterval = 1.0 / 60.0;

    // Timers and the clock of the beats' display: the app's by default.
    explicit MTMainController(fretkit::TimerScheduler* timers = nullptr);
    ~MTMainController() override;

    unsigned tempo() const { return tempo_; }
    // Takes the render lock, sets the tempo, stores it; no clamping, and the label and the
    // editor are left as they are.
    void setTempo(unsigned tempo);
    bool isPlaying() const { return engine_.isPlaying(); }
    double currentTick() const { return engine_.currentTick(); }
    int animationCount() const { return animationCount_; }
    // The output latency the beats' display makes up for, read when playing starts.
    double outputLatency() const { return latency_; }

    // The buttons' actions; the keys call them too.
    void startStop();
    void increment();
    void decrement();
    void tap();

    MTBeatEngine& engine() { return engine_; }
    MTTempoEditor* tempoEditor() const { return tempoEditor_; }
    QLabel* tempoLabel() const { return tempoLabel_; }
    QLabel* cursorView() const { return cursorView_; }
    QLabel* leftBurstView() const { return leftBurstView_; }
    QLabel* rightBurstView() const { return rightBurstView_; }
    QLabel* burstView() const { return burstView_; }
    MTMainButton* startStopButton() const { return startStopButton_; }
    MTMainButton* tapButton() const { return tapButton_; }
    MTMainButton* incrementButton() const { return incrementButton_; }
    MTMainButton* decrementButton() const { return decrementButton_; }

    // The curve of a stored movement style: 0 ease in-out, 1 ease in, 2 ease out, 3 linear
    // (anything else: ease in, the default).
    static ViewAnimation::Curve curveForMovementStyle(std::int64_t style);

    // Audio thread, render lock held by the stream: the engine's render.
    bool renderAudioToBuffer(QVAudioBuffer& buffer,
                             const QVAudioTimeStamp& timeStamp) FRETKIT_NONBLOCKING override;

    // Applies a setting just stored: the time signature is read again, a new click loaded
    // under the render lock (it sounds from the next beat).
    void settingDidChange(const std::string& key) override;

    void tempoEditorValueDidChange(MTTempoEditor& editor) override;
    std::optional<QString> footerForSection(unsigned section) override;
    bool walkTour(TourSteps& steps) override;

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    MTMainButton* button(const char* image, const char* title, QRect frame);
    QLabel* imageView(const char* image);
    void showTempo();
    void loadSound();
    void pollBeats();
    void showWhenHeard(const MTBeat& beat);
    void cancelPendingBeats();
    void animateDisplay(const MTBeat& beat);
    static void flash(QLabel* view);
    bool walkPlaying(TourSteps& steps);

    fretkit::TimerScheduler& timers_;
    MTBeatEngine engine_;
    MTTapTempo taps_;
    unsigned tempo_ = 0;
    double latency_ = 0.0;
    int animationCount_ = 0;
    std::shared_ptr<fretkit::RepeatingTimer> poll_;
    std::vector<std::shared_ptr<fretkit::RepeatingTimer>> pending_; // beats waiting to be heard

    QLabel* tempoLabel_ = nullptr;
    QLabel* cursorView_ = nullptr;
    QLabel* leftBurstView_ = nullptr;
    QLabel* rightBurstView_ = nullptr;
    QLabel* burstView_ = nullptr;
    MTTempoEditor* tempoEditor_ = nullptr;
    MTMainButton* tapButton_ = nullptr;
    MTMainButton* startStopButton_ = nullptr;
    MTMainButton* incrementButton_ = nullptr;
    MTMainButton* decrementButton_ = nullptr;
};
