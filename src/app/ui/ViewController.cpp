#include "ViewController.h"

#include "PhoneScreen.h"
#include "ViewAnimation.h"

namespace {

constexpr const char* kControllerProperty = "fretkitViewController";

} // namespace

ViewController::ViewController() = default;

ViewController::~ViewController() {
    modal_.reset();
    delete view_.data();
}

QWidget* ViewController::view() {
    if (!view_) {
        loadView();
        if (!view_) {
            setView(new QWidget);
        }
        viewDidLoad();
    }
    return view_;
}

void ViewController::loadView() {
    setView(new QWidget);
}

ViewController* ViewController::controllerOfView(const QWidget* widget) {
    return widget ? qobject_cast<ViewController*>(
                        widget->property(kControllerProperty).value<QObject*>())
                  : nullptr;
}

void ViewController::setView(QWidget* view) {
    delete view_.data();
    view_ = view;
    if (view) {
        view->setProperty(kControllerProperty, QVariant::fromValue(static_cast<QObject*>(this)));
    }
    if (view && view->size().isEmpty()) {
        view->resize(kFrameWidth, kFrameHeight);
    }
}

void ViewController::setTitle(const QString& title) {
    navigationItem_.title = title;
    navigationItemChanged();
}

void ViewController::navigationItemChanged() {
    emit navigationItemDidChange();
}

void ViewController::beginAppearance(bool animated) {
    view();
    viewWillAppear(animated);
    if (ViewController* child = visibleChild()) {
        child->beginAppearance(animated);
    }
}

void ViewController::endAppearance(bool animated) {
    visible_ = true;
    viewDidAppear(animated);
    if (ViewController* child = visibleChild()) {
        child->endAppearance(animated);
    }
}

void ViewController::beginDisappearance(bool animated) {
    viewWillDisappear(animated);
    if (ViewController* child = visibleChild()) {
        child->beginDisappearance(animated);
    }
}

void ViewController::endDisappearance(bool animated) {
    visible_ = false;
    viewDidDisappear(animated);
    if (ViewController* child = visibleChild()) {
        child->endDisappearance(animated);
    }
}

void ViewController::presentModalViewController(std::unique_ptr<ViewController> controller,
                                                bool animated) {
    if (!controller || modal_) {
        return; // one modal screen at a time, as on the phone
    }
    PhoneScreen* screen = PhoneScreen::keyScreen();
    modal_ = std::move(controller);
    modal_->presenting_ = this;
    QWidget* modalView = modal_->view();
    const QRect frame = screen ? screen->applicationFrame() : QRect(0, 0, 320, 460);
    if (screen) {
        modalView->setParent(screen);
    }
    modalView->setGeometry(frame.translated(0, animated ? frame.bottom() + 1 - frame.top() : 0));
    modalView->show();
    modalView->raise();
    beginDisappearance(animated);
    modal_->beginAppearance(animated);
    ViewController* modal = modal_.get();
    QPointer<ViewController> self = this;
    QPointer<ViewController> presented = modal;
    auto finish = [self, presented, animated](const QString&, bool) {
        if (self && presented) {
            self->endDisappearance(animated);
            presented->endAppearance(animated);
        }
    };
    ViewAnimation(QStringLiteral("presentModal"))
        .duration(animated ? 0.4 : 0.0)
        .curve(ViewAnimation::Curve::EaseInOut)
        .frame(modalView, frame)
        .didStop(finish)
        .commit();
}

void ViewController::dismissModalViewController(bool animated) {
    if (!modal_) {
        if (presenting_) {
            presenting_->dismissModalViewController(animated);
        }
        return;
    }
    ViewController* modal = modal_.get();
    QWidget* modalView = modal->view();
    beginAppearance(animated);
    modal->beginDisappearance(animated);
    QRect away = modalView->geometry();
    away.moveTop(away.top() + away.height() + 20);
    QPointer<ViewController> self = this;
    auto finish = [self, animated](const QString&, bool) {
        if (self) {
            self->modalDidGo(animated);
        }
    };
    ViewAnimation(QStringLiteral("dismissModal"))
        .duration(animated ? 0.4 : 0.0)
        .curve(ViewAnimation::Curve::EaseInOut)
        .frame(modalView, away)
        .didStop(finish)
        .commit();
}

void ViewController::modalDidGo(bool animated) {
    std::unique_ptr<ViewController> gone = std::move(modal_);
    if (!gone) {
        return;
    }
    gone->endDisappearance(animated);
    gone->view()->hide();
    gone->presenting_ = nullptr;
    endAppearance(animated);
    gone.release()->deleteLater(); // its own button may be the caller
}
