// The chord finder's own states in the screenshot tour, after the open neck it opens with: C
// major fretted by taps on the neck and a mute, a fretted string muted with its finger faded,
// the landscape neck, the hint curtain and the alert a shake brings up. Answering yes to it and
// unmuting the string leaves the neck open again, as the user had it.
#include "CFMainController.h"
#include "fretboard/BZFretboard.h"
#include "fretboard/BZFretboardContent.h"
#include "fretboard/BZLandscapeView.h"
#include "fretboard/BZStringTitle.h"
#include "kit/QVHintCurtain.h"
#include "shell/TourSteps.h"
#include "ui/DeviceEvents.h"
#include "ui/NavigationBar.h"
#include "ui/PhoneScreen.h"
#include "ui/ScreenWindow.h"
#include "ui/ViewAnimation.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

// x32010: the fingers of C major, thickest string first; string 0 is muted.
constexpr unsigned kCMajor[] = {0, 3, 2, 0, 1, 0};
constexpr unsigned kMutedForC = 0;
constexpr unsigned kMutedFretted = 1; // the root on the A string

QPushButton* alertButton(AlertView& alert, int index) {
    QMessageBox* box = alert.box();
    if (!box) {
        return nullptr;
    }
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == alert.buttons().value(index)) {
            return qobject_cast<QPushButton*>(button);
        }
    }
    return nullptr;
}

} // namespace

bool CFMainController::walkTour(TourSteps& steps) {
    return walkFingers(steps) && walkLandscape(steps) && walkHint(steps) && walkRemoveAll(steps);
}

// Taps the title of string `s` where it stands now.
void CFMainController::tapTitle(TourSteps& steps, unsigned s) {
    const bool leftHanded = portraitFretboard_->leftHanded();
    BZStringTitle& title = *portraitTitles_[leftHanded ? kStrings - 1 - s : s];
    steps.tap(title, title.rect().center());
}

bool CFMainController::walkFingers(TourSteps& steps) {
    BZFretboardContent& neck = *portraitFretboard_->contentView();
    for (unsigned s = 0; s < kStrings; ++s) {
        if (kCMajor[s] != 0) {
            const QPointF at(portraitFretboard_->positionOfString(s),
                             portraitFretboard_->positionOfFinger(kCMajor[s]));
            steps.tap(neck, at.toPoint());
        }
    }
    tapTitle(steps, kMutedForC);
    if (!steps.reach([this] { return fingerCount() == 3; }, QStringLiteral("C major")) ||
        !steps.snap(QStringLiteral("c-major"))) {
        return false;
    }
    tapTitle(steps, kMutedFretted);
    if (!steps.reach([this] { return finder_->isMuted(kMutedFretted); },
                     QStringLiteral("muted string")) ||
        !steps.snap(QStringLiteral("muted-string"))) {
        return false;
    }
    tapTitle(steps, kMutedFretted);
    return steps.reach([this] { return !finder_->isMuted(kMutedFretted); },
                       QStringLiteral("C major"));
}

bool CFMainController::walkLandscape(TourSteps& steps) {
    DeviceEvents::setOrientation(DeviceEvents::LandscapeLeft);
    BZLandscapeView* face = landscapeView_;
    if (!steps.reach([face] { return face->isShown() && View::alpha(face) >= 1.0; },
                     QStringLiteral("landscape")) ||
        !steps.snap(QStringLiteral("landscape"))) {
        return false;
    }
    DeviceEvents::setOrientation(DeviceEvents::Portrait);
    return steps.reach([face] { return !face->isShown(); }, QStringLiteral("portrait"));
}

bool CFMainController::walkHint(TourSteps& steps) {
    steps.tap(*hintButton_, hintButton_->rect().center());
    PhoneScreen& screen = steps.window().screen();
    auto curtain = [&screen] { return screen.findChild<QVHintCurtain*>(); };
    const auto settled = [curtain] {
        QVHintCurtain* shown = curtain();
        return shown && shown->view() && shown->view()->y() == PhoneScreen::kStatusBarHeight &&
               !ViewAnimation::isAnimating(shown->view());
    };
    if (!steps.reach(settled, QStringLiteral("hint")) || !steps.snap(QStringLiteral("hint"))) {
        return false;
    }
    NavigationBar& bar = *curtain()->bar();
    steps.tap(bar, bar.rightButtonRect().center());
    return steps.reach([curtain] { return curtain() == nullptr; }, QStringLiteral("hint closed"));
}

bool CFMainController::walkRemoveAll(TourSteps& steps) {
    DeviceEvents::shake();
    const auto asked = [this] {
        return removeAllAlert_ && removeAllAlert_->box() && removeAllAlert_->box()->isVisible();
    };
    if (!steps.reach(asked, QStringLiteral("remove-all alert")) ||
        !steps.snap(QStringLiteral("remove-all"))) {
        return false;
    }
    QPushButton* yes = alertButton(*removeAllAlert_, 1);
    if (!yes) {
        return false;
    }
    steps.tap(*yes, yes->rect().center());
    if (!steps.reach([this] { return !removeAllAlert_ && fingerCount() == 0; },
                     QStringLiteral("open neck"))) {
        return false;
    }
    tapTitle(steps, kMutedForC);
    return steps.reach([this] { return !finder_->isMuted(kMutedForC); },
                       QStringLiteral("open neck"));
}
