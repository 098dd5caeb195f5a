// The scales screen's own states in the screenshot tour: the picker with its group control, A
// minor pentatonic with finger numbers, a strum lighting the markers, E Dorian under Drop D
// (where no pattern is playable), E Dorian with intervals a half step down, the landscape face
// and the hint curtain. The tour picks on the wheels and taps the buttons as a user does, sets
// the tuning and the labels as the settings screen stores them, and puts back what the user had.
#include "SCContentView.h"
#include "SCFretboardHost.h"
#include "SCImageButton.h"
#include "SCMainController.h"
#include "foundation/UserDefaults.h"
#include "fretboard/BZFretboard.h"
#include "fretboard/BZLandscapeView.h"
#include "kit/QVHintCurtain.h"
#include "scales/SCSettings.h"
#include "shell/TourSteps.h"
#include "ui/DeviceEvents.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/SegmentedControl.h"
#include "ui/ViewAnimation.h"

#include <array>

using fretkit::PlistValue;
using fretkit::UserDefaults;

namespace {

constexpr unsigned kRootA = 12;
constexpr unsigned kRootE = 5;
constexpr unsigned kMinorPentatonic = 5; // in the first group
constexpr unsigned kDorian = 1;          // in the modes
constexpr unsigned kModes = 1;
constexpr int kDropD = 3;
constexpr int kHalfStepDown = 1;
constexpr const char* kTouchedKeys[] = {SCSettings::kRootIndexKey, SCSettings::kGroupKey,
                                        SCSettings::kTypeKey, SCSettings::kTuningKey,
                                        SCSettings::kFingerLabelsKey};

// Turns a wheel from its row to `row` with a drag, as a finger turns it.
void turnWheel(TourSteps& steps, WheelPicker& picker, int component, int row) {
    const QRect wheel = picker.componentRect(component);
    const int rows = row - picker.selectedRow(component);
    const QPoint from(wheel.center().x(), picker.height() / 2);
    steps.drag(picker, from, from - QPoint(0, rows * WheelPicker::kRowHeight), 8);
}

bool pickerSettled(const WheelPicker& picker) {
    return !picker.isTurning();
}

bool atRest(const QWidget* view) {
    return !ViewAnimation::isAnimating(view);
}

// The navigation bar's right button: "Done" while the picker is up.
void tapRightBarButton(TourSteps& steps, const ViewController& screen) {
    NavigationBar& bar = *screen.navigationController()->navigationBar();
    steps.tap(bar, bar.rightButtonRect().center());
}

} // namespace

bool SCMainController::walkTour(TourSteps& steps) {
    UserDefaults& defaults = UserDefaults::standard();
    std::array<PlistValue, std::size(kTouchedKeys)> stored;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        stored[i] = defaults.objectForKey(kTouchedKeys[i]);
    }
    defaults.setInteger(0, SCSettings::kFingerLabelsKey);
    settingDidChange(SCSettings::kFingerLabelsKey);
    const bool walked = walkPicker(steps) && walkPlaying(steps) && walkTunings(steps) &&
                        walkLandscapeAndHint(steps);
    for (std::size_t i = 0; i < stored.size(); ++i) {
        defaults.setObject(stored[i], kTouchedKeys[i]);
    }
    hidePicker();
    showStoredChoice();
    settingDidChange(SCSettings::kTuningKey); // searches again and draws the user's labels
    return walked &&
           steps.reach([this] { return atRest(scalePickerView_); }, QStringLiteral("scales"));
}

bool SCMainController::walkPicker(TourSteps& steps) {
    steps.tap(*nameButton_, nameButton_->rect().center());
    if (!steps.reach([this] { return atRest(scalePickerView_); }, QStringLiteral("scale picker"))) {
        return false;
    }
    if (currentGroupIndex_ != 0) {
        steps.tap(*groupControl_, groupControl_->segmentRect(0).center());
    }
    turnWheel(steps, *picker_, 0, kRootA);
    if (!steps.reach([this] { return pickerSettled(*picker_); }, QStringLiteral("root A"))) {
        return false;
    }
    turnWheel(steps, *picker_, 1, kMinorPentatonic);
    if (!steps.reach([this] { return pickerSettled(*picker_); },
                     QStringLiteral("minor pentatonic")) ||
        !steps.snap(QStringLiteral("picker"))) {
        return false;
    }
    tapRightBarButton(steps, *this);
    return steps.reach([this] { return !isPickerVisible_ && atRest(scalePickerView_); },
                       QStringLiteral("A minor pentatonic")) &&
           steps.snap(QStringLiteral("a-minor-pentatonic"));
}

bool SCMainController::walkPlaying(TourSteps& steps) {
    // A stroke across the neck from the thickest string to the thinnest, below the markers.
    SCContentView& content = *portraitContentView_;
    const int y = kContentHeight - 40;
    steps.drag(content, QPoint(20, y), QPoint(kPortraitNeckWidth - 4, y), 10);
    steps.pause(1100);
    if (!steps.snap(QStringLiteral("playing"))) {
        return false;
    }
    player_.autoPlayback().stop();
    return true;
}

bool SCMainController::walkTunings(TourSteps& steps) {
    UserDefaults& defaults = UserDefaults::standard();
    defaults.setInteger(2, SCSettings::kFingerLabelsKey);
    settingDidChange(SCSettings::kFingerLabelsKey);
    defaults.setInteger(kDropD, SCSettings::kTuningKey);
    settingDidChange(SCSettings::kTuningKey);
    steps.tap(*nameButton_, nameButton_->rect().center());
    steps.tap(*groupControl_, groupControl_->segmentRect(static_cast<int>(kModes)).center());
    turnWheel(steps, *picker_, 1, kDorian);
    if (!steps.reach([this] { return pickerSettled(*picker_); }, QStringLiteral("Dorian"))) {
        return false;
    }
    turnWheel(steps, *picker_, 0, kRootE);
    if (!steps.reach([this] { return pickerSettled(*picker_); }, QStringLiteral("root E"))) {
        return false;
    }
    tapRightBarButton(steps, *this);
    if (!steps.reach([this] { return !isPickerVisible_ && atRest(scalePickerView_); },
                     QStringLiteral("E Dorian in Drop D")) ||
        !steps.snap(QStringLiteral("e-dorian-drop-d"))) {
        return false;
    }
    defaults.setInteger(kHalfStepDown, SCSettings::kTuningKey);
    settingDidChange(SCSettings::kTuningKey);
    return steps.reach([this] { return !portraitFretboard_->isScrollAnimating(); },
                       QStringLiteral("E Dorian a half step down")) &&
           steps.snap(QStringLiteral("e-dorian-intervals"));
}

bool SCMainController::walkLandscapeAndHint(TourSteps& steps) {
    DeviceEvents::setOrientation(DeviceEvents::LandscapeLeft);
    if (!steps.reach(
            [this] {
                return landscapeView_->isShown() && atRest(landscapeView_) &&
                       !landscapeFretboard_->isScrollAnimating();
            },
            QStringLiteral("landscape")) ||
        !steps.snap(QStringLiteral("landscape"))) {
        return false;
    }
    DeviceEvents::setOrientation(DeviceEvents::Portrait);
    if (!steps.reach([this] { return !landscapeView_->isShown(); }, QStringLiteral("portrait"))) {
        return false;
    }
    steps.tap(*hintButton_, hintButton_->rect().center());
    if (!steps.reach(
            [this] { return hintCurtain_ && hintCurtain_->view() && atRest(hintCurtain_->view()); },
            QStringLiteral("hint")) ||
        !steps.snap(QStringLiteral("hint"))) {
        return false;
    }
    NavigationBar& bar = *hintCurtain_->bar();
    steps.tap(bar, bar.rightButtonRect().center());
    return steps.reach([this] { return !hintCurtain_; }, QStringLiteral("scales"));
}
