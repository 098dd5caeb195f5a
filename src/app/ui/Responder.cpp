#include "Responder.h"

#include "NavigationController.h"
#include "PhoneScreen.h"
#include "ViewController.h"

#include <QPointer>
#include <QWidget>

namespace {

QPointer<QObject>& storedFirstResponder() {
    static QPointer<QObject> responder;
    return responder;
}

QPointer<QObject>& applicationResponder() {
    static QPointer<QObject> responder;
    return responder;
}

bool delivers(Responder& responder, ResponderChain::Phase phase, Responder::Motion motion) {
    switch (phase) {
    case ResponderChain::Phase::Began:
        return responder.motionBegan(motion);
    case ResponderChain::Phase::Ended:
        return responder.motionEnded(motion);
    case ResponderChain::Phase::Cancelled:
        return responder.motionCancelled(motion);
    }
    return false;
}

} // namespace

bool ResponderChain::becomeFirstResponder(QObject* object) {
    const auto* responder = dynamic_cast<Responder*>(object);
    if (!responder || !responder->canBecomeFirstResponder()) {
        return false;
    }
    storedFirstResponder() = object;
    if (auto* widget = qobject_cast<QWidget*>(object)) {
        widget->setFocus(Qt::OtherFocusReason);
    }
    return true;
}

bool ResponderChain::resignFirstResponder(QObject* object) {
    if (!object || storedFirstResponder() != object) {
        return false;
    }
    storedFirstResponder() = nullptr;
    return true;
}

bool ResponderChain::isFirstResponder(const QObject* object) {
    return object && storedFirstResponder() == object;
}

QObject* ResponderChain::firstResponder() {
    QObject* stored = storedFirstResponder();
    const auto* widget = qobject_cast<QWidget*>(stored);
    if (stored && (!widget || widget->isVisible())) {
        return stored;
    }
    PhoneScreen* screen = PhoneScreen::keyScreen();
    if (!screen) {
        return nullptr;
    }
    QWidget* focus = screen->focusWidget();
    return focus && focus->isVisible() ? static_cast<QObject*>(focus) : screen;
}

QObject* ResponderChain::nextResponder(QObject* object) {
    if (auto* controller = qobject_cast<ViewController*>(object)) {
        if (ViewController* presenting = controller->presentingViewController()) {
            return presenting;
        }
        if (ViewController* stack = controller->navigationController();
            stack && stack != controller) {
            return stack;
        }
        QWidget* parent = controller->isViewLoaded() ? controller->view()->parentWidget() : nullptr;
        return parent ? static_cast<QObject*>(parent) : applicationResponder().data();
    }
    if (auto* widget = qobject_cast<QWidget*>(object)) {
        if (ViewController* controller = ViewController::controllerOfView(widget)) {
            return controller;
        }
        QWidget* parent = widget->parentWidget();
        return parent ? static_cast<QObject*>(parent) : applicationResponder().data();
    }
    return nullptr;
}

void ResponderChain::setApplicationResponder(QObject* responder) {
    applicationResponder() = responder;
}

QObject* ResponderChain::sendMotion(Phase phase, Responder::Motion motion) {
    constexpr int kLongestChain = 256; // a guard against a chain that loops
    QObject* object = firstResponder();
    for (int step = 0; object && step < kLongestChain; ++step) {
        if (auto* responder = dynamic_cast<Responder*>(object);
            responder && delivers(*responder, phase, motion)) {
            return object;
        }
        if (object == applicationResponder()) {
            break;
        }
        object = nextResponder(object);
    }
    return nullptr;
}
