#include "NavigationController.h"

#include "ViewAnimation.h"

NavigationController::NavigationController(std::unique_ptr<ViewController> root) {
    if (root) {
        root->navigationController_ = this;
        connect(root.get(), &ViewController::navigationItemDidChange, this,
                &NavigationController::refreshBar);
        stack_.push_back(std::move(root));
    }
}

void NavigationController::loadView() {
    auto* view = new QWidget;
    view->resize(kFrameWidth, kFrameHeight);
    content_ = new QWidget(view);
    content_->setGeometry(0, NavigationBar::kHeight, kFrameWidth,
                          kFrameHeight - NavigationBar::kHeight);
    bar_ = new NavigationBar(view);
    bar_->setGeometry(0, 0, kFrameWidth, NavigationBar::kHeight);
    connect(bar_, &NavigationBar::backPressed, this, [this] { popViewController(true); });
    setView(view);
    if (ViewController* top = topViewController()) {
        place(top, 0);
    }
    refreshBar();
}

ViewController* NavigationController::topViewController() const {
    return stack_.empty() ? nullptr : stack_.back().get();
}

void NavigationController::refreshBar() {
    if (!bar_ || stack_.empty()) {
        return;
    }
    QString back;
    if (stack_.size() > 1) {
        const NavigationItem& below = stack_[stack_.size() - 2]->navigationItem();
        back = below.backButtonTitle.value_or(below.title);
    }
    bar_->setItem(stack_.back()->navigationItem(), back);
}

void NavigationController::place(ViewController* controller, int offset) {
    QWidget* page = controller->view();
    page->setParent(content_);
    page->setGeometry(offset, 0, content_->width(), content_->height());
    page->show();
}

void NavigationController::pushViewController(std::unique_ptr<ViewController> controller,
                                              bool animated) {
    if (!controller) {
        return;
    }
    view();
    ViewController* outgoing = topViewController();
    ViewController* incoming = controller.get();
    incoming->navigationController_ = this;
    connect(incoming, &ViewController::navigationItemDidChange, this,
            &NavigationController::refreshBar);
    stack_.push_back(std::move(controller));
    emit topViewControllerDidChange();
    slide(incoming, outgoing, true, animated, nullptr);
}

bool NavigationController::popViewController(bool animated) {
    if (stack_.size() < 2) {
        return false;
    }
    std::unique_ptr<ViewController> popped = std::move(stack_.back());
    stack_.pop_back();
    popped->disconnect(this);
    emit topViewControllerDidChange();
    ViewController* outgoing = popped.get();
    slide(topViewController(), outgoing, false, animated, std::move(popped));
    return true;
}

void NavigationController::slide(ViewController* incoming, ViewController* outgoing, bool forward,
                                 bool animated, std::unique_ptr<ViewController> popped) {
    const bool onScreen = isVisible();
    const int width = content_->width();
    place(incoming, animated ? (forward ? width : -width) : 0);
    incoming->view()->raise();
    if (!forward && outgoing) {
        outgoing->view()->raise(); // the popped screen slides away over the one below
    }
    if (onScreen) {
        if (outgoing) {
            outgoing->beginDisappearance(animated);
        }
        incoming->beginAppearance(animated);
    }
    refreshBar();

    ++transitions_;
    ViewController* gone = popped.release();
    if (gone) {
        gone->setParent(this); // deleted with the stack should the slide never end
    }
    QPointer<NavigationController> self = this;
    auto finish = [self, incoming, outgoing, animated, onScreen, gone](const QString&, bool) {
        if (!self) {
            return; // the stack went away first, and its screens with it
        }
        self->transitionDidEnd(incoming, outgoing, animated, onScreen, gone);
    };
    ViewAnimation animation(forward ? QStringLiteral("push") : QStringLiteral("pop"));
    animation.duration(animated ? kSlideDuration : 0.0)
        .curve(ViewAnimation::Curve::EaseInOut)
        .beginFromCurrentState(true)
        .frame(incoming->view(), QRect(0, 0, width, content_->height()));
    if (outgoing) {
        animation.frame(outgoing->view(),
                        QRect(forward ? -width / 3 : width, 0, width, content_->height()));
    }
    animation.didStop(finish).commit();
}

void NavigationController::transitionDidEnd(ViewController* incoming, ViewController* outgoing,
                                            bool animated, bool onScreen, ViewController* gone) {
    --transitions_;
    if (outgoing && outgoing->isViewLoaded() && outgoing != topViewController()) {
        outgoing->view()->hide();
    }
    if (onScreen) {
        if (outgoing) {
            outgoing->endDisappearance(animated);
        }
        incoming->endAppearance(animated);
    }
    if (gone) {
        gone->navigationController_ = nullptr;
        gone->deleteLater(); // its own back button or action may still be on the stack
    }
}
