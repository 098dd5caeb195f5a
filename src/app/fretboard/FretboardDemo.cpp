#include "FretboardDemo.h"

#include "BZFretboard.h"
#include "BZFretboardContent.h"
#include "BZLandscapeView.h"
#include "FretboardDemoPage.h"
#include "kit/KitDemo.h"
#include "shell/TourSteps.h"
#include "ui/DeviceEvents.h"
#include "ui/NavigationController.h"
#include "ui/PhoneScreen.h"
#include "ui/ScreenWindow.h"
#include "ui/ViewAnimation.h"

#include <QAction>
#include <QPointer>

namespace {

const QString kPortrait = QStringLiteral("fretboard");
const QString kPortraitLeft = QStringLiteral("fretboard-left-handed");
const QString kLandscape = QStringLiteral("fretboard-landscape");
const QString kLandscapeLeft = QStringLiteral("fretboard-landscape-left-handed");

bool settled(const FretboardDemoPage& page) {
    const BZLandscapeView* landscape = page.landscapeView();
    return page.isVisible() && !page.portraitFretboard()->isScrollAnimating() &&
           !page.landscapeFretboard()->isScrollAnimating() &&
           !ViewAnimation::isAnimating(landscape);
}

// Turns the phone through the window's own Device menu, as a user does.
bool turn(TourSteps& steps, const QString& title) {
    for (QAction* action : steps.window().findChildren<QAction*>()) {
        if (action->text() == title) {
            action->trigger();
            return true;
        }
    }
    return false;
}

bool photographTurned(TourSteps& steps, FretboardDemoPage& page, const QString& side,
                      const QString& picture) {
    QPointer<FretboardDemoPage> alive = &page;
    const auto shown = [alive] {
        return alive && alive->landscapeView()->isShown() &&
               View::alpha(alive->landscapeView()) == 1.0 && settled(*alive);
    };
    const auto gone = [alive] {
        return alive && !alive->landscapeView()->isShown() && settled(*alive);
    };
    return turn(steps, side) && steps.reach(shown, QStringLiteral("fretboard landscape")) &&
           steps.snap(picture) && turn(steps, QStringLiteral("Portrait")) &&
           steps.reach(gone, QStringLiteral("fretboard portrait"));
}

} // namespace

QStringList FretboardDemo::pages() {
    return {kPortrait, kPortraitLeft, kLandscape, kLandscapeLeft};
}

bool FretboardDemo::show(const QString& page, PhoneScreen& screen) {
    if (!pages().contains(page)) {
        return false;
    }
    const bool leftHanded = page.endsWith(QLatin1String("left-handed"));
    screen.setRootViewController(std::make_unique<NavigationController>(
        std::make_unique<FretboardDemoPage>(leftHanded, false)));
    if (page.startsWith(kLandscape)) {
        DeviceEvents::setOrientation(leftHanded ? DeviceEvents::LandscapeRight
                                                : DeviceEvents::LandscapeLeft);
    }
    return true;
}

void FretboardDemo::addKitPages() {
    for (const QString& page : pages()) {
        KitDemo::addPage(page, [page](PhoneScreen& screen) { return show(page, screen); });
    }
}

bool FretboardDemo::walkTour(ViewController& home, TourSteps& steps) {
    auto owned = std::make_unique<FretboardDemoPage>(false, true);
    QPointer<FretboardDemoPage> page = owned.get();
    auto stack = std::make_unique<NavigationController>(std::move(owned));
    NavigationController& navigation = *stack;
    home.presentModalViewController(std::move(stack), true);
    if (!steps.reach([page] { return page && settled(*page); }, QStringLiteral("fretboard"))) {
        return false;
    }
    // A tap on the second root (string 3 at the ninth fret) flashes its finger's halo.
    BZFretboardContent* content = page->portraitFretboard()->contentView();
    const QPoint onFinger(static_cast<int>(page->portraitFretboard()->positionOfString(3)) - 2,
                          static_cast<int>(content->positionOfFinger(9)));
    QWidget* target = content->childAt(onFinger);
    steps.tap(target ? *target : *content, target ? target->mapFrom(content, onFinger) : onFinger);
    steps.pause(120);
    if (!steps.snap(QStringLiteral("portrait")) ||
        !photographTurned(steps, *page, QStringLiteral("Landscape Left"),
                          QStringLiteral("landscape"))) {
        return false;
    }
    NavigationBar& bar = *navigation.navigationBar();
    steps.tap(bar, bar.rightButtonRect().center());
    if (!steps.reach([page] { return page && page->leftHanded() && settled(*page); },
                     QStringLiteral("fretboard left-handed")) ||
        !steps.snap(QStringLiteral("portrait-left-handed")) ||
        !photographTurned(steps, *page, QStringLiteral("Landscape Right"),
                          QStringLiteral("landscape-left-handed"))) {
        return false;
    }
    steps.tap(bar, bar.leftButtonRect().center());
    return steps.reach([&home] { return home.isVisible() && !home.modalViewController(); },
                       QStringLiteral("home"));
}
