#include "CHChordNameView.h"
#include "CHContentView.h"
#include "CHFinger.h"
#include "CHMainController.h"
#include "CHStepButton.h"
#include "TourSteps.h"
#include "chords/CHSettings.h"
#include "foundation/UserDefaults.h"
#include "ui/DeviceEvents.h"
#include "ui/NavigationController.h"
#include "ui/ViewAnimation.h"

#include <QPointer>
#include <array>

using fretkit::CHChordChoice;
using fretkit::PlistValue;
using fretkit::UserDefaults;

namespace {

const std::array<const char*, 4> kKeys = {CHSettings::kRootKey, CHSettings::kVariantKey,
                                          CHSettings::kLeftHandedKey, CHSettings::kIntervalsKey};

// Whether nothing on the screen moves any more: panels, picker wheels, necks and fingers.
bool isSettled(const CHMainController& screen) {
    const auto still = [](const QWidget* view) { return !ViewAnimation::isAnimating(view); };
    bool settled =
        screen.isVisible() && still(screen.chordNameView()) && still(screen.picker()) &&
        still(screen.portraitContentView()) && !screen.portraitContentView()->isScaling() &&
        !screen.picker()->isTurning() && !screen.portraitFretboardView()->isScrollAnimating() &&
        !screen.landscapeFretboardView()->isScrollAnimating() && still(screen.landscapeView());
    for (const auto& finger : screen.portraitFingerViews()) {
        settled = settled && still(finger.get());
    }
    return settled;
}

} // namespace

bool CHMainController::walkTour(TourSteps& steps) {
    // The tour shows chosen chords and settings; the user's own come back at the end.
    std::array<PlistValue, kKeys.size()> stored;
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        stored[i] = UserDefaults::standard().objectForKey(kKeys[i]);
    }
    QPointer<CHMainController> alive = this;
    const auto settle = [&steps, alive](const char* what) {
        return steps.reach([alive] { return alive && isSettled(*alive); },
                           QStringLiteral("chords ") + QLatin1String(what));
    };
    // A row of a picker column: each tap above or below the band turns the wheel two rows at
    // most, as a finger would.
    const auto chooseRow = [&](int column, int row) {
        while (alive && picker_->selectedRow(column) != row) {
            const int step = std::clamp(row - picker_->selectedRow(column), -2, 2);
            const QRect wheel = picker_->componentRect(column);
            steps.tap(*picker_, QPoint(wheel.center().x(),
                                       WheelPicker::kHeight / 2 + step * WheelPicker::kRowHeight));
            if (!settle("picker")) {
                return false;
            }
        }
        return alive != nullptr;
    };
    const auto choose = [&](const char* root, int family, const char* variant) {
        steps.tap(*chordNameView_, CHChordNameView::plateRect().center());
        if (!settle("picker") || !alive) {
            return false;
        }
        const auto rowOf = [this](int column, const char* title) {
            for (int row = 0; row < choice_.numberOfRows(column); ++row) {
                if (choice_.titleForRow(row, column) == title) {
                    return row;
                }
            }
            return 0;
        };
        return chooseRow(CHChordChoice::kRootColumn, rowOf(CHChordChoice::kRootColumn, root)) &&
               chooseRow(CHChordChoice::kFamilyColumn, family) &&
               chooseRow(CHChordChoice::kVariantColumn,
                         rowOf(CHChordChoice::kVariantColumn, variant));
    };
    const auto done = [&] {
        NavigationBar& bar = *navigationController()->navigationBar();
        steps.tap(bar, bar.rightButtonRect().center());
        return settle("shape");
    };
    // A setting changed as its settings row would store it.
    const auto set = [this](const char* key, bool value) {
        UserDefaults::standard().setBool(value, key);
        settingDidChange(key);
    };

    const auto nextShape = [&] {
        CHStepButton& next = *chordNameView_->nextButton();
        steps.tap(next, next.rect().center());
        return settle("next shape");
    };
    const auto landscape = [&](bool shown) {
        // As the window's Device menu turns the phone.
        DeviceEvents::setOrientation(shown ? DeviceEvents::LandscapeLeft : DeviceEvents::Portrait);
        return steps.reach(
            [alive, shown] {
                return alive && alive->landscapeView()->isShown() == shown &&
                       (!shown || View::alpha(alive->landscapeView()) == 1.0) && isSettled(*alive);
            },
            QStringLiteral("chords landscape"));
    };
    const auto walk = [&] {
        if (!choose("F", 0, "triad") || !steps.snap(QStringLiteral("picker")) || !done() ||
            !steps.snap(QStringLiteral("f-major-barre"))) {
            return false;
        }
        if (!choose("E", 0, "triad") || !done() || !steps.snap(QStringLiteral("e-major"))) {
            return false;
        }
        set(CHSettings::kIntervalsKey, true);
        if (!choose("A", 2, "7 #9") || !done() ||
            !steps.snap(QStringLiteral("a-7-sharp-9-intervals")) || !nextShape() ||
            !steps.snap(QStringLiteral("a-7-sharp-9-second-shape"))) {
            return false;
        }
        set(CHSettings::kLeftHandedKey, true);
        if (!settle("left-handed") || !steps.snap(QStringLiteral("left-handed-shape")) ||
            !landscape(true) || !steps.snap(QStringLiteral("landscape-left-handed"))) {
            return false;
        }
        set(CHSettings::kLeftHandedKey, false);
        return settle("landscape") && steps.snap(QStringLiteral("landscape")) && landscape(false);
    };
    const bool walked = walk();
    if (!alive) {
        return false;
    }
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        UserDefaults::standard().setObject(stored[i], kKeys[i]);
    }
    applySettings();
    return walked;
}
