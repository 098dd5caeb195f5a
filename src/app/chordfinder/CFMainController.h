#pragma once

#include "CFFinger.h"
#include "audio/QVAudioStreamDelegate.h"
#include "chordfinder/CFChordFinder.h"
#include "fretboard/BZFretboardDelegate.h"
#include "kit/QVHintCurtain.h"
#include "shell/BZMainController.h"
#include "ui/AlertView.h"

#include <QPointer>
#include <array>
#include <memory>

class BZFretboard;
class BZLandscapeView;
class BZStringTitle;
class CFContentView;
class QAbstractButton;
class QLabel;

namespace fretkit {
class RepeatingTimer;
class TimerScheduler;
} // namespace fretkit

// The chord finder: the user puts at most one finger on each string by tapping the neck (a tap
// in front of the nut takes it off again), mutes and unmutes strings with the titles above them,
// and reads the name of the chord the sounding strings make; every change plays the string it
// touched. Holding a finger half a second removes it; a shake (or Delete) asks to remove them all.
// Turned to landscape, a larger neck shows the same fingers. The strings sound with the samples
// of the chosen tuning and detune, played through the stream's render callback.
class CFMainController : public BZMainController,
                         public QVAudioStreamRenderer,
                         public BZFretboardDelegate,
                         public BZFretboardDidTapString,
                         public BZFretboardDidPluckString,
                         public BZFretboardDidShake,
                         public CFFingerDelegate,
                         public AlertViewDelegate {
    Q_OBJECT
    // What scripted runs read: the chord name as the screen shows it, and the fingers on the neck.
    Q_PROPERTY(QString chordName READ chordName)
    Q_PROPERTY(int fingerCount READ fingerCount)

public:
    static constexpr unsigned kStrings = fretkit::CFChordFinder::kStrings;
    static constexpr float kPortraitFretWidth = 55.0f;
    static constexpr float kLandscapeFretWidth = 91.0f;
    static constexpr double kMutedAlpha = 0.33;
    static constexpr double kNoChordAlpha = 0.25;
    static constexpr int kRemoveDistance = 120; // how far a removed finger flies
    static constexpr double kStrumInterval = 0.03;
    static constexpr const char* kHintIdentifier = "CFHint";

    // Timers (the finger's hold, the strum) follow `timers`: the app's by default.
    explicit CFMainController(fretkit::TimerScheduler* timers = nullptr);
    ~CFMainController() override;

    fretkit::CFChordFinder& finder() { return *finder_; }
    CFContentView* contentView() const { return content_; }
    BZFretboard* portraitFretboard() const { return portraitFretboard_; }
    BZFretboard* landscapeFretboard() const { return landscapeFretboard_; }
    BZLandscapeView* landscapeView() const { return landscapeView_; }
    QLabel* portraitChordName() const { return portraitChordName_; }
    QLabel* landscapeChordName() const { return landscapeChordName_; }
    // Left to right as they stand: in portrait left-handed the first one is string 5's.
    const std::array<BZStringTitle*, kStrings>& portraitStringTitles() const {
        return portraitTitles_;
    }
    const std::array<BZStringTitle*, kStrings>& landscapeStringTitles() const {
        return landscapeTitles_;
    }
    // Index = string.
    const std::array<std::shared_ptr<CFFinger>, kStrings>& portraitFingers() const {
        return portraitFingers_;
    }
    const std::array<std::shared_ptr<CFFinger>, kStrings>& landscapeFingers() const {
        return landscapeFingers_;
    }
    QAbstractButton* hintButton() const { return hintButton_; }
    // The alert asking to remove every finger, while it is up.
    AlertView* removeAllAlert() const { return removeAllAlert_; }

    QString chordName() const;
    int fingerCount() const;

    // The title buttons' action: mutes or unmutes the title's string and plays it.
    void toggleString(BZStringTitle& title);
    // Asks whether to remove every finger (a shake, the Delete key).
    void askToRemoveAll();
    // Plays the sounding strings one after another, thickest first (the Space key).
    void strum();
    void openHintCurtain();

    // Plays the string (nothing when it is muted) and flashes its fingers.
    void playString(unsigned string) override;
    // Takes the finger's string off the neck: the finger flies off and fades.
    void removeFinger(CFFinger& finger) override;

    void fretboardDidTapString(BZFretboard& fretboard, unsigned string, unsigned fret) override;
    void fretboardDidPluckString(BZFretboard& fretboard, unsigned string, unsigned fret) override;
    void fretboardDidShake(BZFretboard& fretboard) override;
    void alertViewClickedButtonAtIndex(AlertView& alert, int index) override;

    // Applies a setting just stored: the tuning and the detune give every string its new note
    // and sample, the hand turns both necks.
    void settingDidChange(const std::string& key) override;

    // Audio thread, render lock held by the stream: the six strings' render.
    bool renderAudioToBuffer(QVAudioBuffer& buffer,
                             const QVAudioTimeStamp& timeStamp) FRETKIT_NONBLOCKING override;

    bool walkTour(TourSteps& steps) override;

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    fretkit::PlistValue choicesForKey(const std::string& key) const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPortrait();
    void buildLandscape();
    BZStringTitle* makeTitle(QWidget* parent, int tag);
    std::shared_ptr<CFFinger> makeFinger(BZFretboard& fretboard);
    // The stored tuning and detune, with every string's new sample.
    void readTuning();
    void applyHand();
    void updateChord();
    void updateStringTitles();
    void updateFingers();
    void updateAll();
    void clearFrets();
    void strumNext();
    // The tour's steps.
    void tapTitle(TourSteps& steps, unsigned string);
    bool walkFingers(TourSteps& steps);
    bool walkLandscape(TourSteps& steps);
    bool walkHint(TourSteps& steps);
    bool walkRemoveAll(TourSteps& steps);

    fretkit::TimerScheduler& timers_;
    std::unique_ptr<fretkit::CFChordFinder> finder_;
    std::shared_ptr<fretkit::RepeatingTimer> strum_;
    unsigned strumString_ = 0;

    CFContentView* content_ = nullptr;
    QLabel* portraitChordName_ = nullptr;
    BZFretboard* portraitFretboard_ = nullptr;
    std::array<BZStringTitle*, kStrings> portraitTitles_{};
    std::array<std::shared_ptr<CFFinger>, kStrings> portraitFingers_;
    QAbstractButton* hintButton_ = nullptr;

    BZLandscapeView* landscapeView_ = nullptr;
    QLabel* landscapeChordName_ = nullptr;
    BZFretboard* landscapeFretboard_ = nullptr;
    std::array<BZStringTitle*, kStrings> landscapeTitles_{};
    std::array<std::shared_ptr<CFFinger>, kStrings> landscapeFingers_;

    QPointer<AlertView> removeAllAlert_;
    QPointer<QVHintCurtain> hintCurtain_;
};
