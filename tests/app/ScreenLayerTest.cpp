#include "ScreenTestSupport.h"
#include "foundation/NotificationCenter.h"
#include "support/LogCapture.h"
#include "ui/AlertView.h"
#include "ui/DelayedPerform.h"
#include "ui/DeviceEvents.h"
#include "ui/NavigationController.h"
#include "ui/PhoneScreen.h"
#include "ui/ScreenImage.h"
#include "ui/UrlOpener.h"
#include "ui/View.h"
#include "ui/ViewAnimation.h"
#include "ui/WheelPicker.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QStringList>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

// A screen that writes down its life cycle.
class RecordingScreen : public ViewController {
public:
    RecordingScreen(QString name, QStringList& log) : name_(std::move(name)), log_(log) {
        setTitle(name_);
    }

protected:
    void viewDidLoad() override { log_ << name_ + " didLoad"; }
    void viewWillAppear(bool) override { log_ << name_ + " willAppear"; }
    void viewDidAppear(bool) override { log_ << name_ + " didAppear"; }
    void viewWillDisappear(bool) override { log_ << name_ + " willDisappear"; }
    void viewDidDisappear(bool) override { log_ << name_ + " didDisappear"; }

private:
    QString name_;
    QStringList& log_;
};

struct Stack {
    QApplication& application = screenApplication();
    QStringList log;
    PhoneScreen screen;
    NavigationController* navigation = nullptr;

    Stack() {
        auto root = std::make_unique<NavigationController>(
            std::make_unique<RecordingScreen>(QStringLiteral("home"), log));
        navigation = root.get();
        screen.setRootViewController(std::move(root));
        log.clear();
    }
    void push(const QString& name, bool animated) {
        navigation->pushViewController(std::make_unique<RecordingScreen>(name, log), animated);
    }
};

} // namespace

TEST(NavigationController, PushAndPopRunTheLifeCycleInOrderAndTitleTheBackButton) {
    Stack stack;
    stack.push(QStringLiteral("settings"), false);
    EXPECT_EQ(stack.log,
              QStringList({"settings didLoad", "home willDisappear", "settings willAppear",
                           "home didDisappear", "settings didAppear"}));
    NavigationBar* bar = stack.navigation->navigationBar();
    EXPECT_EQ(bar->item().title, "settings");
    EXPECT_EQ(bar->backTitle(), "home");

    stack.log.clear();
    stack.push(QStringLiteral("editor"), true);
    EXPECT_TRUE(stack.navigation->isTransitioning());
    EXPECT_EQ(stack.log.last(), "editor willAppear"); // did-appear waits for the slide
    ASSERT_TRUE(waitUntil([&] { return !stack.navigation->isTransitioning(); }));
    EXPECT_EQ(stack.log.last(), "editor didAppear");
    EXPECT_EQ(stack.navigation->topViewController()->view()->geometry().x(), 0);

    // The back button pops the top screen and deletes it once it is off screen.
    stack.log.clear();
    QPointer<ViewController> editor = stack.navigation->topViewController();
    click(bar, bar->leftButtonRect().center());
    ASSERT_TRUE(waitUntil([&] { return editor.isNull(); }));
    EXPECT_EQ(stack.log, QStringList({"editor willDisappear", "settings willAppear",
                                      "editor didDisappear", "settings didAppear"}));
    EXPECT_EQ(bar->item().title, "settings");

    EXPECT_TRUE(stack.navigation->popViewController(false));
    EXPECT_FALSE(stack.navigation->popViewController(false)); // the root stays
    EXPECT_TRUE(bar->leftButtonRect().isNull());
}

TEST(NavigationController, BarButtonsRunTheirActionsAndTitleChangesReachTheBar) {
    Stack stack;
    int pressed = 0;
    ViewController* home = stack.navigation->topViewController();
    home->navigationItem().rightButton = BarButton{"Done", BarButton::Style::Done, [&] {
                                                       ++pressed;
                                                       home->setTitle("renamed");
                                                   }};
    home->navigationItemChanged();
    NavigationBar* bar = stack.navigation->navigationBar();
    ASSERT_FALSE(bar->rightButtonRect().isNull());
    click(bar, bar->rightButtonRect().center());
    EXPECT_EQ(pressed, 1);
    EXPECT_EQ(bar->item().title, "renamed");
}

TEST(ModalPresentation, PresentAndDismissCoverTheScreenAndTellBothSides) {
    Stack stack;
    ViewController* home = stack.navigation->topViewController();
    auto modal = std::make_unique<RecordingScreen>(QStringLiteral("about"), stack.log);
    QPointer<ViewController> about = modal.get();
    home->presentModalViewController(std::move(modal), false);
    EXPECT_EQ(home->modalViewController(), about.data());
    EXPECT_EQ(about->view()->geometry(), stack.screen.applicationFrame());
    EXPECT_TRUE(stack.log.contains("home willDisappear"));
    EXPECT_TRUE(stack.log.contains("about didAppear"));

    stack.log.clear();
    about->dismissModalViewController(true); // from the modal screen itself
    ASSERT_TRUE(waitUntil([&] { return about.isNull(); }));
    EXPECT_EQ(stack.log, QStringList({"home willAppear", "about willDisappear",
                                      "about didDisappear", "home didAppear"}));
    EXPECT_EQ(home->modalViewController(), nullptr);
}

namespace {

class TouchRecorder : public View {
public:
    QStringList events;

protected:
    void touchesBegan(const Touch& touch) override { record("began", touch); }
    void touchesMoved(const Touch& touch) override { record("moved", touch); }
    void touchesEnded(const Touch& touch) override { record("ended", touch); }
    void touchesCancelled(const Touch& touch) override { record("cancelled", touch); }

private:
    void record(const char* phase, const Touch& touch) {
        events << QStringLiteral("%1 %2,%3")
                      .arg(phase)
                      .arg(touch.location.x())
                      .arg(touch.location.y());
    }
};

} // namespace

TEST(Touches, AMouseDragIsATouchThatStaysWithItsViewAndHidingCancelsIt) {
    screenApplication();
    TouchRecorder view;
    view.resize(100, 100);
    sendMouse(&view, QEvent::MouseButtonPress, {10, 20});
    sendMouse(&view, QEvent::MouseMove, {150, -30}); // outside the view, still its touch
    sendMouse(&view, QEvent::MouseButtonRelease, {150, -30});
    sendMouse(&view, QEvent::MouseMove, {5, 5}); // no touch down: nothing
    EXPECT_EQ(view.events, QStringList({"began 10,20", "moved 150,-30", "ended 150,-30"}));

    view.events.clear();
    view.show();
    sendMouse(&view, QEvent::MouseButtonPress, {1, 2});
    view.hide();
    EXPECT_EQ(view.events, QStringList({"began 1,2", "cancelled 1,2"}));
}

TEST(ViewAnimation, TheFourCurvesHaveTheirShapes) {
    const auto at = [](ViewAnimation::Curve curve, double x) {
        return ViewAnimation::easingCurve(curve).valueForProgress(x);
    };
    using Curve = ViewAnimation::Curve;
    for (const Curve curve : {Curve::EaseInOut, Curve::EaseIn, Curve::EaseOut, Curve::Linear}) {
        EXPECT_NEAR(at(curve, 0.0), 0.0, 1e-6);
        EXPECT_NEAR(at(curve, 1.0), 1.0, 1e-6);
    }
    EXPECT_NEAR(at(Curve::Linear, 0.3), 0.3, 1e-6);
    EXPECT_NEAR(at(Curve::EaseInOut, 0.5), 0.5, 1e-3);
    EXPECT_LT(at(Curve::EaseIn, 0.5), 0.4);
    EXPECT_GT(at(Curve::EaseOut, 0.5), 0.6);
    EXPECT_LT(at(Curve::EaseInOut, 0.2), 0.2);
}

TEST(ViewAnimation, NamedAnimationsReportOnceAndATakeOverStopsTheFirstUnfinished) {
    screenApplication();
    View view;
    view.setGeometry(0, 0, 10, 10);
    QStringList stops;
    const auto record = [&](const QString& name, bool finished) {
        stops << name + (finished ? " finished" : " stopped");
    };

    ViewAnimation("instant")
        .duration(0)
        .alpha(&view, 0.5)
        .rotation(&view, 1.0)
        .didStop(record)
        .commit();
    EXPECT_DOUBLE_EQ(View::alpha(&view), 0.5);
    EXPECT_DOUBLE_EQ(view.rotation(), 1.0);
    EXPECT_EQ(stops, QStringList({"instant finished"}));

    stops.clear();
    ViewAnimation("slide").duration(5).frame(&view, {200, 0, 10, 10}).didStop(record).commit();
    EXPECT_TRUE(ViewAnimation::isAnimating(&view));
    // Not from the current state: the takeover starts where the first one was headed.
    ViewAnimation("back").duration(0.05).center(&view, {5, 5}).didStop(record).commit();
    EXPECT_EQ(stops, QStringList({"slide stopped"}));
    EXPECT_GE(view.x(), 100);
    ASSERT_TRUE(waitUntil([&] { return stops.size() == 2; }));
    EXPECT_EQ(stops.last(), "back finished");
    EXPECT_EQ(view.geometry(), QRect(0, 0, 10, 10));
    EXPECT_FALSE(ViewAnimation::isAnimating(&view));

    // From the current state: the view does not jump.
    ViewAnimation("fade").duration(5).alpha(&view, 0.0).commit();
    ViewAnimation("unfade").duration(5).beginFromCurrentState(true).alpha(&view, 1.0).commit();
    EXPECT_GT(View::alpha(&view), 0.4);
}

TEST(DelayedPerform, RunsOnceAfterTheDelayUnlessCancelledOrItsOwnerIsGone) {
    screenApplication();
    QObject owner;
    int ran = 0;
    DelayedPerform::perform(&owner, 0.01, [&] { ++ran; });
    const auto cancelled = DelayedPerform::perform(&owner, 0.01, [&] { ran += 100; });
    DelayedPerform::perform(&owner, 0.01, [&] { ran += 10; });
    EXPECT_EQ(DelayedPerform::pendingCount(&owner), 3);
    EXPECT_TRUE(DelayedPerform::cancel(cancelled));
    EXPECT_FALSE(DelayedPerform::cancel(cancelled));
    ASSERT_TRUE(waitUntil([&] { return ran == 11; }));
    EXPECT_EQ(DelayedPerform::pendingCount(&owner), 0);

    DelayedPerform::perform(&owner, 0.01, [&] { ran = -1; });
    DelayedPerform::perform(&owner, 0.01, [&] { ran = -1; });
    EXPECT_EQ(DelayedPerform::cancelPreviousPerformRequests(&owner), 2);
    {
        QObject shortLived;
        DelayedPerform::perform(&shortLived, 0.01, [&] { ran = -1; });
    }
    QTest::qWait(50);
    EXPECT_EQ(ran, 11);
}

TEST(UrlOpener, HandsOnlyWebPhoneAndMailAddressesToTheSystem) {
    QStringList opened;
    const auto previous = UrlOpener::setHandler([&](const QUrl& url) {
        opened << url.toString();
        return true;
    });
    LogCapture log;
    for (const char* address : {"http://example.org/a", "HTTPS://example.org", "tel:+15551234",
                                "mailto:teacher@example.org"}) {
        EXPECT_TRUE(UrlOpener::openURL(QUrl(address))) << address;
    }
    for (const char* address :
         {"file:///etc/passwd", "javascript:alert(1)", "ftp://example.org", "x-app:run", ""}) {
        EXPECT_FALSE(UrlOpener::openURL(QUrl(address))) << address;
    }
    UrlOpener::setHandler(previous);
    EXPECT_EQ(opened.size(), 4);
    EXPECT_TRUE(log.contains("refusing to open file:///etc/passwd"));
    EXPECT_EQ(log.lines().size(), 5u);
}

TEST(DeviceEvents, ShakesStartAtTheFocusWidgetWhenNoneIsFirstResponderAndTurnsPostTheOrientation) {
    screenApplication();
    PhoneScreen screen;
    class Focused : public View {
    public:
        using View::View;
        int shakes = 0;
        bool motionEnded(Motion motion) override {
            shakes += motion == Motion::Shake ? 1 : 0;
            return true;
        }
    };
    auto* focused = new Focused(&screen);
    screen.show();
    focused->setFocusPolicy(Qt::StrongFocus);
    focused->setFocus();
    EXPECT_TRUE(DeviceEvents::shake());
    EXPECT_EQ(focused->shakes, 1);

    std::vector<int> seen;
    auto& centre = fretkit::NotificationCenter::defaultCenter();
    const auto token = centre.addObserver(
        DeviceEvents::kOrientationDidChange, nullptr, [&](const fretkit::Notification& note) {
            seen.push_back(note.userInfo["orientation"].intValue());
        });
    DeviceEvents::setOrientation(DeviceEvents::LandscapeLeft);
    DeviceEvents::setOrientation(DeviceEvents::LandscapeLeft); // no change, no notification
    DeviceEvents::setOrientation(DeviceEvents::Portrait);
    centre.removeObserver(token);
    EXPECT_EQ(seen, (std::vector<int>{3, 1}));
}

namespace {

class Choice : public AlertViewDelegate {
public:
    int pressed = -1;
    void alertViewClickedButtonAtIndex(AlertView&, int index) override { pressed = index; }
};

} // namespace

TEST(AlertView, ReportsTheButtonPressedAndGoesAway) {
    screenApplication();
    PhoneScreen screen;
    Choice choice;
    QPointer<AlertView> alert =
        new AlertView("Clear all fingers?", "Mutes are kept.", {"No", "Yes"}, &choice);
    alert->show();
    ASSERT_NE(alert->box(), nullptr);
    const QList<QAbstractButton*> buttons = alert->box()->buttons();
    ASSERT_EQ(buttons.size(), 2);
    for (QAbstractButton* button : buttons) {
        if (button->text() == "Yes") {
            button->click();
        }
    }
    EXPECT_EQ(choice.pressed, 1);
    ASSERT_TRUE(waitUntil([&] { return alert.isNull(); }));

    QPointer<AlertView> bare = new AlertView("Nothing found", "", {});
    EXPECT_EQ(bare->buttons(), QStringList({"OK"}));
    delete bare.data();
}

TEST(ScreenImage, PicksTheDoubleSizeArtworkAtScaleTwo) {
    screenApplication();
    ScreenImage::setScale(1);
    const QPixmap single = ScreenImage::load("QVAbout_button");
    ScreenImage::setScale(2);
    const QPixmap doubled = ScreenImage::load("QVAbout_button");
    ScreenImage::setScale(1);
    ASSERT_FALSE(single.isNull());
    ASSERT_FALSE(doubled.isNull());
    EXPECT_EQ(single.devicePixelRatio(), 1.0);
    EXPECT_EQ(doubled.devicePixelRatio(), 2.0);
    EXPECT_EQ(doubled.size(), single.size() * 2);
    EXPECT_EQ(doubled.deviceIndependentSize(), single.deviceIndependentSize());
    EXPECT_TRUE(ScreenImage::load("NoSuchImage").isNull());
}

namespace {

class Wheels : public WheelPickerDataSource {
public:
    std::vector<std::pair<int, int>> chosen;
    int numberOfComponents(WheelPicker&) override { return 2; }
    int numberOfRows(WheelPicker&, int component) override { return component == 0 ? 12 : 3; }
    QString titleForRow(WheelPicker&, int row, int) override { return QString::number(row); }
    int widthForComponent(WheelPicker&, int) override { return 100; }
    void didSelectRow(WheelPicker&, int row, int component) override {
        chosen.emplace_back(row, component);
    }
};

} // namespace

TEST(WheelPicker, ADragTurnsOneWheelToARowAndOnlyTheUserIsReported) {
    screenApplication();
    Wheels wheels;
    WheelPicker picker;
    picker.setDataSource(&wheels);
    picker.reloadAllComponents();
    picker.selectRow(5, 0, false);
    picker.selectRow(9, 1, false); // past the end: the last row
    EXPECT_EQ(picker.selectedRow(0), 5);
    EXPECT_EQ(picker.selectedRow(1), 2);
    EXPECT_TRUE(wheels.chosen.empty());

    const QPoint centre = picker.componentRect(0).center();
    sendMouse(&picker, QEvent::MouseButtonPress, centre);
    sendMouse(&picker, QEvent::MouseMove, centre - QPoint(0, 2 * WheelPicker::kRowHeight + 10));
    sendMouse(&picker, QEvent::MouseButtonRelease,
              centre - QPoint(0, 2 * WheelPicker::kRowHeight + 10));
    ASSERT_TRUE(waitUntil([&] { return !picker.isTurning(); }));
    EXPECT_EQ(picker.selectedRow(0), 7);
    EXPECT_EQ(wheels.chosen, (std::vector<std::pair<int, int>>{{7, 0}}));
    EXPECT_EQ(picker.selectedRow(1), 2);
}

TEST(NavigationController, APopDuringThePushSettlesOnTheScreenBelow) {
    Stack stack;
    QPointer<ViewController> home = stack.navigation->topViewController();
    stack.push(QStringLiteral("tool"), true);
    QPointer<ViewController> tool = stack.navigation->topViewController();
    ASSERT_TRUE(stack.navigation->isTransitioning());
    EXPECT_TRUE(stack.navigation->popViewController(true)); // back, before the slide ends
    ASSERT_TRUE(waitUntil([&] { return tool.isNull() && !stack.navigation->isTransitioning(); }));
    ASSERT_TRUE(home);
    EXPECT_EQ(stack.navigation->topViewController(), home.data());
    EXPECT_TRUE(home->isVisible());
    EXPECT_TRUE(home->view()->isVisibleTo(&stack.screen));
    EXPECT_EQ(home->view()->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(stack.log.last(), "home didAppear");
    EXPECT_EQ(stack.navigation->navigationBar()->item().title, "home");
    EXPECT_TRUE(stack.navigation->navigationBar()->backTitle().isEmpty());
}

TEST(ModalPresentation, OneAtATimeAndADismissDuringThePresentStillEndsClean) {
    Stack stack;
    ViewController* home = stack.navigation->topViewController();
    auto first = std::make_unique<RecordingScreen>(QStringLiteral("first"), stack.log);
    QPointer<ViewController> shown = first.get();
    home->presentModalViewController(std::move(first), true);
    auto second = std::make_unique<RecordingScreen>(QStringLiteral("second"), stack.log);
    QPointer<ViewController> refused = second.get();
    home->presentModalViewController(std::move(second), false);
    EXPECT_TRUE(refused.isNull()); // refused and dropped, not leaked
    EXPECT_EQ(home->modalViewController(), shown.data());

    shown->dismissModalViewController(true); // while it still slides up
    ASSERT_TRUE(waitUntil([&] { return shown.isNull(); }));
    EXPECT_EQ(home->modalViewController(), nullptr);
    EXPECT_TRUE(home->isVisible());
    EXPECT_EQ(stack.log.last(), "home didAppear");
    EXPECT_FALSE(stack.log.contains("second didLoad"));

    // Dismissing with nothing presented, from a screen nobody presented, changes nothing.
    stack.log.clear();
    home->dismissModalViewController(false);
    EXPECT_TRUE(stack.log.isEmpty());
}

TEST(ViewAnimation, FromTheCurrentStateStartsMidwayAndAGoneViewEndsItsAnimationOnce) {
    screenApplication();
    View view;
    view.setGeometry(0, 0, 10, 10);
    ViewAnimation("out")
        .duration(0.4)
        .curve(ViewAnimation::Curve::Linear)
        .frame(&view, {400, 0, 10, 10})
        .commit();
    ASSERT_TRUE(waitUntil([&] { return view.x() > 40; }));
    QStringList stops;
    const auto record = [&](const QString& name, bool finished) {
        stops << name + (finished ? " finished" : " stopped");
    };
    ViewAnimation("back")
        .duration(1)
        .beginFromCurrentState(true)
        .frame(&view, {0, 0, 10, 10})
        .didStop(record)
        .commit();
    const int midway = view.x();
    EXPECT_GT(midway, 40);
    EXPECT_LT(midway, 400); // from where it was, not from where it was headed
    QTest::qWait(60);
    EXPECT_LE(view.x(), midway);

    // A view deleted while it animates: its animation stops, unfinished, and says so once.
    auto* doomed = new View;
    doomed->setGeometry(0, 0, 10, 10);
    ViewAnimation("doomed").duration(5).alpha(doomed, 0.0).didStop(record).commit();
    delete doomed;
    ASSERT_TRUE(waitUntil([&] { return stops.size() == 1; }));
    EXPECT_EQ(stops[0], "doomed stopped");
    ASSERT_TRUE(waitUntil([&] { return stops.size() == 2; }));
    EXPECT_EQ(stops[1], "back finished");
    EXPECT_EQ(view.geometry(), QRect(0, 0, 10, 10));
}

TEST(DelayedPerform, RunsInTheOrderOfTheirTimesAndAWorkMayDeleteItsOwner) {
    screenApplication();
    QObject owner;
    QObject other;
    QStringList ran;
    DelayedPerform::perform(&owner, 0.06, [&] { ran << "late"; });
    DelayedPerform::perform(&owner, 0.01, [&] { ran << "early"; });
    const auto doomed = DelayedPerform::perform(&other, 0.08, [&] { ran << "cancelled"; });
    DelayedPerform::perform(&other, 0.03, [&] {
        ran << "middle";
        DelayedPerform::cancel(doomed); // a work may cancel another
    });
    EXPECT_EQ(DelayedPerform::cancelPreviousPerformRequests(&owner), 2);
    DelayedPerform::perform(&owner, 0.01, [&] { ran << "again"; });
    ASSERT_TRUE(waitUntil([&] { return ran.size() == 2; }));
    QTest::qWait(100);
    EXPECT_EQ(ran, QStringList({"again", "middle"})); // the other owner's work still ran

    // A screen that closes itself after a delay deletes the owner from inside the work.
    auto* closing = new QObject;
    QPointer<QObject> watch = closing;
    DelayedPerform::perform(closing, 0.0, [&, closing] {
        ran << "closing";
        delete closing;
    });
    ASSERT_TRUE(waitUntil([&] { return watch.isNull(); }));
    EXPECT_EQ(ran.last(), "closing");
}

TEST(Touches, TheWindowKeepsATouchWithTheViewItBeganInAcrossItsNeighbours) {
    screenApplication();
    QWidget window;
    window.resize(200, 100);
    auto* left = new TouchRecorder;
    auto* right = new TouchRecorder;
    left->setParent(&window);
    right->setParent(&window);
    left->setGeometry(0, 0, 100, 100);
    right->setGeometry(100, 0, 100, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QWindow* handle = window.windowHandle();
    QTest::mousePress(handle, Qt::LeftButton, {}, {20, 50});
    QTest::mouseMove(handle, {150, 60}); // over the right view
    QTest::mouseRelease(handle, Qt::LeftButton, {}, {150, 60});
    EXPECT_EQ(left->events, QStringList({"began 20,50", "moved 150,60", "ended 150,60"}));
    EXPECT_TRUE(right->events.isEmpty());
}
