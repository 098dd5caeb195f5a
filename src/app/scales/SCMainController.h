#pragma once

#include "SCFinger.h"
#include "audio/QVAudioStreamDelegate.h"
#include "fretboard/BZFretboardDelegate.h"
#include "scales/SCScaleLibrary.h"
#include "scales/SCScalePlayer.h"
#include "shell/BZMainController.h"
#include "ui/WheelPicker.h"

#include <QPointer>
#include <cstdint>
#include <optional>
#include <vector>

class BZBarButton;
class BZFretboard;
class BZLandscapeView;
class QAbstractButton;
class QLabel;
class QVHintCurtain;
class SCContentView;
class SCFretboardHost;
class SCImageButton;
class SegmentedControl;

namespace fretkit {
class Bundle;
class TimerScheduler;
} // namespace fretkit

// The scale library: a root and a scale type chosen on a two-wheel picker (types in four groups
// chosen with a segmented control), one fingering pattern of that scale over the user's tuning on
// an upright neck, and buttons to step through the patterns the search found. A touch on a marker
// plays its note; a strum plays the pattern note by note, up, down, or there and back. Turned to
// landscape, a larger neck shows the same pattern.
//
// The patterns come from the core scale search; their notes' sounds are loaded in the background
// and played by the core scale player, which this screen hands the stream's render callback to.
class SCMainController : public BZMainController,
                         public QVAudioStreamRenderer,
                         public BZFretboardDelegate,
                         public BZFretboardDidStrum,
                         public SCFingerTouched,
                         public WheelPickerDataSource {
    Q_OBJECT
    // What scripted runs read: the patterns found, the one shown, and 1 once every note of the
    // shown pattern has its sound.
    Q_PROPERTY(int scaleCount READ scaleCount)
    Q_PROPERTY(int currentScaleIndex READ currentScaleIndex)
    Q_PROPERTY(int soundsLoaded READ soundsLoaded)

public:
    static constexpr int kNameHeight = 73;
    static constexpr int kContentHeight = 343;
    static constexpr int kPortraitNeckWidth = 240;
    static constexpr int kGroupBarHeight = 44;
    static constexpr int kPickerPanelHeight = kGroupBarHeight + WheelPicker::kHeight;
    static constexpr int kRootColumnWidth = 48;
    static constexpr int kTypeColumnWidth = 272;
    static constexpr double kSlideDuration = 0.33;
    static constexpr float kNutOffset = 16.0f;
    static constexpr float kPortraitFretWidth = 59.0f;
    static constexpr float kLandscapeFretWidth = 95.0f;

    // Timers of the strums (the app's by default) and the bundle the lists and the notes' sounds
    // come from (the app's by default); both must outlive the screen.
    explicit SCMainController(fretkit::TimerScheduler* timers = nullptr,
                              const fretkit::Bundle* bundle = nullptr);
    ~SCMainController() override;

    const fretkit::SCScaleLibrary& library() const { return library_; }
    const std::vector<fretkit::SCScale>& scales() const { return scales_; }
    int scaleCount() const { return static_cast<int>(scales_.size()); }
    int currentScaleIndex() const { return static_cast<int>(currentScaleIndex_); }
    unsigned currentGroupIndex() const { return currentGroupIndex_; }
    bool isPickerVisible() const { return isPickerVisible_; }
    int soundsLoaded() const;
    fretkit::SCScalePlayer& scalePlayer() { return player_; }

    // Searches again for the picked root and type and shows the first pattern.
    void updateScales();
    // Shows the current pattern on both necks and loads its sounds.
    void updateFretboards();
    void updateButtons();
    // The step buttons' actions (the arrow keys call them too).
    void previousScale();
    void nextScale();
    // The landscape bar's arrows: towards the nut or away from it, as the neck lies.
    void leftScale();
    void rightScale();
    void groupChanged(int index);
    void revealPicker();
    void hidePicker();
    void openHintCurtain();
    // Asks for the note and lights its markers.
    void playNoteAtIndex(std::uint32_t index);
    // Plays the pattern as a stroke across the strings in `direction` does (the keys too).
    void strum(int direction);

    BZFretboard* portraitFretboard() const { return portraitFretboard_; }
    BZFretboard* landscapeFretboard() const { return landscapeFretboard_; }
    SCFretboardHost* fretboardHost() const { return fretboardHost_; }
    SCContentView* portraitContentView() const { return portraitContentView_; }
    QWidget* scaleNameView() const { return scaleNameView_; }
    QAbstractButton* nameButton() const { return nameButton_; }
    QLabel* portraitScaleName() const { return portraitScaleName_; }
    QLabel* portraitPatternLabel() const { return portraitPatternLabel_; }
    SCImageButton* previousButton() const { return previousButton_; }
    SCImageButton* nextButton() const { return nextButton_; }
    SCImageButton* hintButton() const { return hintButton_; }
    QWidget* scalePickerView() const { return scalePickerView_; }
    SegmentedControl* groupControl() const { return groupControl_; }
    WheelPicker* picker() const { return picker_; }
    BZLandscapeView* landscapeView() const;
    QLabel* landscapeScaleName() const;
    QLabel* landscapePatternLabel() const { return landscapePatternLabel_; }
    BZBarButton* landscapeLeftButton() const;
    BZBarButton* landscapeRightButton() const;
    // The curtain shown by the hint button, while it is up.
    QVHintCurtain* hintCurtain() const;

    void fingerTouched(SCFinger& finger) override;
    void fretboardDidStrum(BZFretboard& fretboard, int direction) override;
    // Audio thread, render lock held by the stream: the scale player's render.
    bool renderAudioToBuffer(QVAudioBuffer& buffer,
                             const QVAudioTimeStamp& timeStamp) FRETKIT_NONBLOCKING override;

    int numberOfComponents(WheelPicker& picker) override;
    int numberOfRows(WheelPicker& picker, int component) override;
    QString titleForRow(WheelPicker& picker, int row, int component) override;
    int widthForComponent(WheelPicker& picker, int component) override;
    void didSelectRow(WheelPicker& picker, int row, int component) override;

    void settingDidChange(const std::string& key) override;
    bool walkTour(TourSteps& steps) override;

protected:
    fretkit::PlistValue choicesForKey(const std::string& key) const override;
    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildNamePanel();
    void buildContent();
    void buildPickerPanel();
    void buildLandscape();
    // Puts the stored root, group and type on the picker and the group control.
    void showStoredChoice();
    void addMarkers(const fretkit::SCScale& scale);
    void highlightNote(std::uint32_t index);
    void slidePicker(bool visible);
    QString patternText() const;
    struct Choice {
        unsigned root;
        unsigned type;
    };
    // The root's row and the type's index the wheels show.
    std::optional<Choice> pickedChoice() const;
    bool handleKey(int key, bool autoRepeat);
    bool walkPicker(TourSteps& steps);
    bool walkPlaying(TourSteps& steps);
    bool walkTunings(TourSteps& steps);
    bool walkLandscapeAndHint(TourSteps& steps);

    const fretkit::Bundle& bundle_;
    fretkit::SCScaleLibrary library_;
    fretkit::SCScalePlayer player_;
    std::vector<fretkit::SCScale> scales_;
    unsigned currentScaleIndex_ = 0;
    unsigned currentGroupIndex_ = 0;
    bool isPickerVisible_ = false;
    std::optional<BarButton> settingsButton_;

    QWidget* scaleNameView_ = nullptr;
    QAbstractButton* nameButton_ = nullptr;
    QLabel* portraitScaleName_ = nullptr;
    QLabel* portraitPatternLabel_ = nullptr;
    SCImageButton* previousButton_ = nullptr;
    SCImageButton* nextButton_ = nullptr;
    SCContentView* portraitContentView_ = nullptr;
    SCFretboardHost* fretboardHost_ = nullptr;
    BZFretboard* portraitFretboard_ = nullptr;
    SCImageButton* hintButton_ = nullptr;
    QWidget* scalePickerView_ = nullptr;
    SegmentedControl* groupControl_ = nullptr;
    WheelPicker* picker_ = nullptr;
    QPointer<BZLandscapeView> landscapeView_;
    SCContentView* landscapeContentView_ = nullptr;
    BZFretboard* landscapeFretboard_ = nullptr;
    QLabel* landscapePatternLabel_ = nullptr;
    QPointer<QVHintCurtain> hintCurtain_;
};
