#pragma once

#include "BZMainController.h"
#include "audio/QVAudioStreamDelegate.h"
#include "host/Realtime.h"
#include "tuner/TNTunerEngine.h"

#include <array>
#include <atomic>
#include <memory>
#include <optional>

class QLabel;
class TabBar;
class TNDisplayView;
class TNLED;
class TNNeedleView;
class TNStrobeView;
class TNTrace;

namespace fretkit {
class RepeatingTimer;
class TimerScheduler;
} // namespace fretkit

// The tuner's screen. It listens to the microphone of the app's shared stream and hands the
// samples to the tuner engine, whose analysis thread runs while the screen is in view (not
// while its settings or about screen cover it). Each note the engine reports shows as the
// chromatic note with its octave, the offset in cents and on one of two displays, the strobe or
// the needle, chosen by the tab bar or the keys S and N. Four lamps show the input level; the
// audio thread only leaves the level in the engine, and the screen's lamp timer picks it up.
// Its settings are the tuning (the stored index falls back to "Chromatic" when the list has no
// such entry), the detune and the reference pitch; a change applies at once.
class TNMainController : public BZMainController, public QVAudioStreamInput {
    Q_OBJECT

public:
    static constexpr int kStrobeTag = 0;
    static constexpr int kNeedleTag = 1;
    // Where the screen writes a line for every note it shows, for tests of the whole app.
    static constexpr const char* kTraceVariable = "FRETKIT_TUNER_TRACE";

    // Timers (the displays' and the lamps') run on `scheduler`, Qt's by default.
    explicit TNMainController(fretkit::TimerScheduler* scheduler = nullptr);
    ~TNMainController() override;

    // Audio thread, render lock held: one input buffer; its first channel is analysed.
    void input(QVAudioBuffer& buffer, const QVAudioTimeStamp& timeStamp,
               bool stereo) FRETKIT_NONBLOCKING override;
    // Main thread: shows a note, or the empty state ("--") without one.
    void input(const std::optional<TNNote>& note);
    // Main thread: the tab bar's choice, tag 0 the strobe, 1 the needle; the chosen display
    // takes over the note shown. Choosing the display already shown does nothing.
    void tabBarDidSelectItem(int tag);
    // Main thread: what a tab or its key does.
    void chooseDisplay(int tag);

    // Null when the pitch estimator could not be made; the screen then shows only "--".
    TNTunerEngine* engine() const { return engine_.get(); }
    TNStrobeView* strobeView() const { return strobeView_; }
    TNNeedleView* needleView() const { return needleView_; }
    bool isStrobeShown() const;
    TNDisplayView* shownDisplay() const;
    TabBar* tabBar() const { return tabBar_; }
    QLabel* modeLabel() const { return modeLabel_; }
    QLabel* auxNoteLabel() const { return auxNoteLabel_; }
    QLabel* centsLabel() const { return centsLabel_; }
    // Says why the tuner hears nothing (no microphone), hidden otherwise.
    QLabel* messageLabel() const { return messageLabel_; }
    // Lamp 1 is the loudest.
    TNLED* levelLED(int lamp) const { return leds_.at(static_cast<std::size_t>(lamp - 1)); }

    fretkit::PlistValue valueOfCell(QVTableViewCell& cell) override;
    bool walkTour(TourSteps& steps) override;

protected:
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidDisappear(bool animated) override;
    fretkit::PlistValue choicesForKey(const std::string& key) const override;
    void settingDidChange(const std::string& key) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLabels();
    void buildLamps();
    void buildDisplays();
    void drainLamps();
    void traceNote();
    double heardSeconds() const;
    std::size_t storedTuningIndex() const;

    fretkit::TimerScheduler& scheduler_;
    const std::unique_ptr<TNTunerEngine> engine_;
    const double sampleRate_;
    // Input frames heard so far by the stream's clock; written on the audio thread.
    std::atomic<double> heardFrames_{0.0};
    std::shared_ptr<fretkit::RepeatingTimer> lampTimer_;
    std::unique_ptr<TNTrace> trace_;
    bool traceListening_ = false; // the trace is to say when the screen began to listen
    std::optional<TNNote> shownNote_;

    QLabel* modeLabel_ = nullptr;
    QLabel* auxNoteLabel_ = nullptr;
    QLabel* centsLabel_ = nullptr;
    QLabel* messageLabel_ = nullptr;
    std::array<TNLED*, 4> leds_{};
    TabBar* tabBar_ = nullptr;
    TNStrobeView* strobeView_ = nullptr;
    TNNeedleView* needleView_ = nullptr;
};
