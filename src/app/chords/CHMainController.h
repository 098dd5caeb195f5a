#pragma once

#include "audio/QVAudioStreamDelegate.h"
#include "chords/CHChord.h"
#include "chords/CHChordChoice.h"
#include "chords/CHChordPlayer.h"
#include "chords/CHDatabase.h"
#include "fretboard/BZFretboardDelegate.h"
#include "fretboard/BZLandscapeView.h"
#include "host/Realtime.h"
#include "shell/BZMainController.h"
#include "ui/NavigationItem.h"
#include "ui/WheelPicker.h"

#include <QPointer>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class BZFretboard;
class BZStringTitle;
class CHChordNameView;
class CHContentView;
class CHFinger;
class QLabel;

// The chord library: a root, a family and a variant chosen in a three-column picker, the chord's
// shapes from the chord database shown one at a time on an upright neck (and on a larger one
// lying on its side when the phone is turned), with its fingers, the name of the chord and a
// title over each string: the note or the interval it sounds, marked as root or open, an x over
// a muted string. The step buttons go through the shapes; a tap or a stroke over a string plays
// that string of the shape from its recorded sample.
class CHMainController : public BZMainController,
                         public QVAudioStreamRenderer,
                         public WheelPickerDataSource,
                         public BZFretboardDelegate,
                         public BZFretboardDidTapString,
                         public BZFretboardDidPluckString {
    Q_OBJECT
    // What the screen shows, for scripted runs.
    Q_PROPERTY(QString chordName READ chordName)
    Q_PROPERTY(int shapeCount READ shapeCount)

public:
    static constexpr unsigned kNotFound = 2147483647;
    static constexpr unsigned kStrings = 6;
    static constexpr unsigned kFingers = 5;
    static constexpr std::array<int, 3> kPickerWidths = {48, 90, 146};
    static constexpr double kPanelDuration = 0.33;
    static constexpr double kPickerScale = 50.0 / 77.0;
    static constexpr float kPortraitFretWidth = 55.0f;
    static constexpr float kLandscapeFretWidth = 95.0f;
    // Seconds between the strings of a strum played from the keyboard.
    static constexpr double kStrumGap = 0.03;

    // The bundle's chord database unless one is given.
    explicit CHMainController(std::unique_ptr<fretkit::CHDatabase> database = nullptr);
    ~CHMainController() override;

    const fretkit::CHChordChoice& choice() const { return choice_; }
    const std::vector<fretkit::CHChord>& chords() const { return chords_; }
    unsigned currentChordIndex() const { return currentChordIndex_; }
    // The shape shown, or null when the chosen chord has none.
    const fretkit::CHChord* currentChord() const;
    QString chordName() const;
    int shapeCount() const { return static_cast<int>(chords_.size()); }
    bool isPickerVisible() const { return isPickerVisible_; }
    fretkit::CHChordPlayer& player() { return *player_; }

    // The actions of the screen's buttons and keys.
    void loadChords();
    void previousChord();
    void nextChord();
    // The landscape bar's arrows: on a left-handed neck the left one goes forward.
    void leftChord();
    void rightChord();
    void revealPicker();
    void hidePicker();
    // Plays every sounding string of the shape, the thickest first, kStrumGap apart.
    void strum();

    CHChordNameView* chordNameView() const { return chordNameView_; }
    CHContentView* portraitContentView() const { return portraitContentView_; }
    BZFretboard* portraitFretboardView() const { return portrait_.fretboard; }
    BZFretboard* landscapeFretboardView() const { return landscape_.fretboard; }
    // The portrait titles, left to right on the screen.
    const std::array<BZStringTitle*, kStrings>& stringTitles() const { return portrait_.titles; }
    // The landscape titles, by string.
    const std::array<BZStringTitle*, kStrings>& landscapeStringTitles() const {
        return landscape_.titles;
    }
    const std::vector<std::shared_ptr<CHFinger>>& portraitFingerViews() const {
        return portrait_.fingers;
    }
    const std::vector<std::shared_ptr<CHFinger>>& landscapeFingerViews() const {
        return landscape_.fingers;
    }
    QLabel* noShapeLabel() const { return portrait_.noShape; }
    QLabel* landscapeNoShapeLabel() const { return landscape_.noShape; }
    WheelPicker* picker() const { return picker_; }
    BZLandscapeView* landscapeView() const { return landscapeView_; }

    // Audio thread, render lock held by the stream: the shape's strings.
    bool renderAudioToBuffer(QVAudioBuffer& buffer,
                             const QVAudioTimeStamp& timeStamp) FRETKIT_NONBLOCKING override;

    int numberOfComponents(WheelPicker& picker) override;
    int numberOfRows(WheelPicker& picker, int component) override;
    QString titleForRow(WheelPicker& picker, int row, int component) override;
    int widthForComponent(WheelPicker& picker, int component) override;
    void didSelectRow(WheelPicker& picker, int row, int component) override;

    // A tap plays like a pluck; the shape decides what sounds, not the fret touched.
    void fretboardDidTapString(BZFretboard& fretboard, unsigned string, unsigned fret) override;
    void fretboardDidPluckString(BZFretboard& fretboard, unsigned string, unsigned fret) override;

    bool walkTour(TourSteps& steps) override;

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void settingDidChange(const std::string& key) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One neck with its fingers (finger number = index), string titles and "No shape" marker.
    struct Neck {
        BZFretboard* fretboard = nullptr;
        std::vector<std::shared_ptr<CHFinger>> fingers;
        std::array<BZStringTitle*, kStrings> titles{};
        QLabel* noShape = nullptr;
    };

    static std::unique_ptr<fretkit::CHChordPlayer> makePlayer();
    void buildPortrait();
    void buildLandscape();
    void buildPicker();
    void prepareNeck(Neck& neck, float fretWidth);
    // The stored chord and hand, shown anew.
    void applySettings();
    void placeLandscapeNeck();
    void updateFretboards();
    void updateTitles(const fretkit::CHChord* chord, unsigned rootString);
    void placeFingers(const fretkit::CHChord& chord, unsigned rootString);
    void updateButtons();
    void pluckString(unsigned string);
    bool leftHanded() const;

    std::unique_ptr<fretkit::CHDatabase> database_;
    fretkit::CHChordChoice choice_;
    std::vector<fretkit::CHChord> chords_;
    unsigned currentChordIndex_ = 0;
    std::unique_ptr<fretkit::CHChordPlayer> player_;
    bool isPickerVisible_ = false;
    std::optional<BarButton> settingsButton_;
    QObject* strumRequests_;

    CHChordNameView* chordNameView_ = nullptr;
    CHContentView* portraitContentView_ = nullptr;
    WheelPicker* picker_ = nullptr;
    QPointer<BZLandscapeView> landscapeView_;
    Neck portrait_;
    Neck landscape_;
};
