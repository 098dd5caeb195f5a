#include "ScreenTestSupport.h"
#include "ui/DeviceEvents.h"
#include "ui/NavigationController.h"
#include "ui/PhoneScreen.h"
#include "ui/Responder.h"
#include "ui/View.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

using Motion = Responder::Motion;

// Writes down every motion it hears and handles them when told to.
struct Hearing {
    QString name;
    QStringList* log = nullptr;
    bool handles = false;

    bool hear(const char* phase) const {
        *log << name + " " + phase;
        return handles;
    }
};

class ShakeView : public View {
public:
    ShakeView(Hearing heard, bool canBecome, QWidget* parent)
        : View(parent), hearing(std::move(heard)), canBecome_(canBecome) {}
    Hearing hearing;
    bool canBecomeFirstResponder() const override { return canBecome_; }
    bool motionBegan(Motion) override { return hearing.hear("began"); }
    bool motionEnded(Motion) override { return hearing.hear("ended"); }
    bool motionCancelled(Motion) override { return hearing.hear("cancelled"); }

private:
    bool canBecome_;
};

// A screen whose view holds a container that holds a neck that can take the shakes.
class ShakeScreen : public ViewController {
public:
    ShakeScreen(const QString& name, QStringList& log) : hearing{name, &log} {}
    Hearing hearing;
    ShakeView* container = nullptr;
    ShakeView* neck = nullptr;
    bool motionBegan(Motion) override { return hearing.hear("began"); }
    bool motionEnded(Motion) override { return hearing.hear("ended"); }
    bool motionCancelled(Motion) override { return hearing.hear("cancelled"); }

protected:
    void loadView() override {
        auto* view = new QWidget;
        container = new ShakeView({hearing.name + ".container", hearing.log}, false, view);
        neck = new ShakeView({hearing.name + ".neck", hearing.log}, true, container);
        setView(view);
    }
};

class Application : public QObject, public Responder {
public:
    explicit Application(QStringList& log) : hearing{"app", &log, true} {}
    Hearing hearing;
    bool motionBegan(Motion) override { return hearing.hear("began"); }
    bool motionEnded(Motion) override { return hearing.hear("ended"); }
    bool motionCancelled(Motion) override { return hearing.hear("cancelled"); }
};

struct Chain {
    QApplication& application = screenApplication();
    QStringList log;
    Application app{log};
    PhoneScreen screen;
    NavigationController* navigation = nullptr;
    ShakeScreen* home = nullptr;
    ShakeScreen* tool = nullptr;

    Chain() {
        ResponderChain::setApplicationResponder(&app);
        auto root = std::make_unique<ShakeScreen>("home", log);
        home = root.get();
        auto stack = std::make_unique<NavigationController>(std::move(root));
        navigation = stack.get();
        screen.setRootViewController(std::move(stack));
        auto pushed = std::make_unique<ShakeScreen>("tool", log);
        tool = pushed.get();
        navigation->pushViewController(std::move(pushed), false);
        screen.show();
    }
    ~Chain() { ResponderChain::setApplicationResponder(nullptr); }
};

} // namespace

TEST(ResponderChain, AShakeGoesFromTheFirstResponderUpToWhoeverHandlesIt) {
    Chain chain;
    ASSERT_TRUE(chain.tool->neck->becomeFirstResponder());
    EXPECT_TRUE(chain.tool->neck->isFirstResponder());
    // Nobody on the screen handles it: neck, its superview, its screen, then (past the
    // navigation stack and the window, which do not answer) the application.
    EXPECT_TRUE(DeviceEvents::shake());
    EXPECT_EQ(chain.log,
              QStringList({"tool.neck began", "tool.container began", "tool began", "app began",
                           "tool.neck ended", "tool.container ended", "tool ended", "app ended"}));

    // The screen handles it: the application never hears it.
    chain.log.clear();
    chain.tool->hearing.handles = true;
    EXPECT_EQ(ResponderChain::sendMotion(ResponderChain::Phase::Cancelled, Motion::Shake),
              chain.tool);
    EXPECT_EQ(chain.log,
              QStringList({"tool.neck cancelled", "tool.container cancelled", "tool cancelled"}));

    // The first responder handles it itself.
    chain.log.clear();
    chain.tool->neck->hearing.handles = true;
    EXPECT_TRUE(DeviceEvents::shake());
    EXPECT_EQ(chain.log, QStringList({"tool.neck began", "tool.neck ended"}));
}

TEST(ResponderChain, OnlyResponderThatCanBecomeFirstDoAndAGoneOneLeavesTheScreenFirst) {
    Chain chain;
    ASSERT_TRUE(chain.tool->neck->becomeFirstResponder());
    EXPECT_FALSE(chain.tool->container->becomeFirstResponder()); // cannot
    EXPECT_FALSE(chain.tool->becomeFirstResponder());            // screens cannot by default
    EXPECT_EQ(ResponderChain::firstResponder(), chain.tool->neck);
    EXPECT_FALSE(chain.tool->container->resignFirstResponder()); // not its place to give up

    // A hidden first responder is passed over: the chain starts at the screen's focus widget,
    // here the window itself, and only the application answers.
    chain.tool->neck->hide();
    EXPECT_NE(ResponderChain::firstResponder(), chain.tool->neck);
    chain.tool->neck->show();
    EXPECT_EQ(ResponderChain::firstResponder(), chain.tool->neck);

    // Popping the screen deletes the first responder.
    ASSERT_TRUE(chain.navigation->popViewController(false));
    ASSERT_TRUE(waitUntil([&] { return chain.navigation->viewControllers().size() == 1; }));
    QTest::qWait(0);
    chain.log.clear();
    EXPECT_TRUE(DeviceEvents::shake());
    EXPECT_FALSE(chain.log.isEmpty());
    EXPECT_FALSE(chain.log.join(' ').contains("tool"));
    EXPECT_EQ(chain.log.last(), "app ended");

    // Without an application responder a shake nobody handles is reported as unhandled.
    ResponderChain::setApplicationResponder(nullptr);
    EXPECT_FALSE(DeviceEvents::shake());
}

TEST(ResponderChain, APresentedScreenPassesShakesToTheScreenThatPresentedIt) {
    Chain chain;
    auto modal = std::make_unique<ShakeScreen>("modal", chain.log);
    ShakeScreen* presented = modal.get();
    chain.tool->presentModalViewController(std::move(modal), false);
    ASSERT_TRUE(presented->neck->becomeFirstResponder());
    ResponderChain::sendMotion(ResponderChain::Phase::Began, Motion::Shake);
    EXPECT_EQ(chain.log, QStringList({"modal.neck began", "modal.container began", "modal began",
                                      "tool began", "app began"}));
    EXPECT_EQ(ResponderChain::nextResponder(presented), chain.tool);
    EXPECT_EQ(ResponderChain::nextResponder(chain.tool), chain.navigation);
    EXPECT_EQ(ResponderChain::nextResponder(chain.navigation), &chain.screen);
    EXPECT_EQ(ViewController::controllerOfView(presented->view()), presented);
    EXPECT_EQ(ViewController::controllerOfView(presented->neck), nullptr);
}
