#pragma once

#include "NavigationBar.h"
#include "ViewController.h"

#include <QPointer>
#include <memory>
#include <vector>

// A stack of screens under a navigation bar. Pushing slides the new screen in from the right,
// popping slides the top one out; the bar follows the top screen's navigation item, with a back
// button titled by the screen below. The stack owns its screens; a popped screen is deleted once
// it is off screen.
class NavigationController : public ViewController {
    Q_OBJECT

public:
    static constexpr double kSlideDuration = 0.35;

    explicit NavigationController(std::unique_ptr<ViewController> root);

    void pushViewController(std::unique_ptr<ViewController> controller, bool animated);
    // Pops the top screen unless it is the root; false when there was nothing to pop.
    bool popViewController(bool animated);

    ViewController* topViewController() const;
    const std::vector<std::unique_ptr<ViewController>>& viewControllers() const { return stack_; }
    NavigationBar* navigationBar() { return bar_; }
    bool isTransitioning() const { return transitions_ > 0; }

signals:
    // The top screen changed (a push or a pop), before the slide begins; a popped screen is
    // still alive while this is handled.
    void topViewControllerDidChange();

protected:
    void loadView() override;
    ViewController* visibleChild() const override { return topViewController(); }

private:
    void refreshBar();
    void place(ViewController* controller, int offset);
    void slide(ViewController* incoming, ViewController* outgoing, bool forward, bool animated,
               std::unique_ptr<ViewController> popped);

    void transitionDidEnd(ViewController* incoming, ViewController* outgoing, bool animated,
                          bool onScreen, ViewController* gone);

    std::vector<std::unique_ptr<ViewController>> stack_;
    NavigationBar* bar_ = nullptr;
    QWidget* content_ = nullptr;
    int transitions_ = 0;
};
