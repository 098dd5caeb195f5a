#pragma once

#include "NavigationItem.h"
#include "Responder.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>

class NavigationController;

// A screen: owns its view, made on first use (loadView, then viewDidLoad), and hears when it
// comes and goes (will/did appear, will/did disappear). It may present another screen modally
// over the whole phone screen and dismiss it again. It is a link of the responder chain, between
// its view and the screen that holds or presents it.
class ViewController : public QObject, public Responder {
    Q_OBJECT

public:
    // The phone's application frame: the screen below the 20-point status bar.
    static constexpr int kFrameWidth = 320;
    static constexpr int kFrameHeight = 460;

    ViewController();
    ~ViewController() override;

    QWidget* view();
    bool isViewLoaded() const { return !view_.isNull(); }
    // The screen whose view `widget` is, or null.
    static ViewController* controllerOfView(const QWidget* widget);

    bool becomeFirstResponder() { return ResponderChain::becomeFirstResponder(this); }
    bool resignFirstResponder() { return ResponderChain::resignFirstResponder(this); }

    QString title() const { return navigationItem_.title; }
    void setTitle(const QString& title);
    NavigationItem& navigationItem() { return navigationItem_; }
    // Call after changing the navigation item's buttons so that a bar showing it redraws.
    void navigationItemChanged();

    NavigationController* navigationController() const { return navigationController_; }
    bool isVisible() const { return visible_; }

    // Modal screens cover the application frame, sliding up from below when animated.
    void presentModalViewController(std::unique_ptr<ViewController> controller, bool animated);
    // Dismisses the modal screen this one presents, or, when it presents none, this one itself
    // from the screen that presented it.
    void dismissModalViewController(bool animated);
    ViewController* modalViewController() const { return modal_.get(); }
    ViewController* presentingViewController() const { return presenting_; }

    // The life-cycle calls, made by whoever puts the view on screen; they reach the subclass's
    // hooks and the screens this one contains.
    void beginAppearance(bool animated);
    void endAppearance(bool animated);
    void beginDisappearance(bool animated);
    void endDisappearance(bool animated);

signals:
    void navigationItemDidChange();

protected:
    // Makes the view; the default is an empty widget of the application frame's size.
    virtual void loadView();
    void setView(QWidget* view);
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool) {}
    virtual void viewDidAppear(bool) {}
    virtual void viewWillDisappear(bool) {}
    virtual void viewDidDisappear(bool) {}
    // The screen inside this one that is shown with it (a navigation stack's top).
    virtual ViewController* visibleChild() const { return nullptr; }

private:
    friend class NavigationController;
    void modalDidGo(bool animated);

    QPointer<QWidget> view_;
    NavigationItem navigationItem_;
    NavigationController* navigationController_ = nullptr;
    ViewController* presenting_ = nullptr;
    std::unique_ptr<ViewController> modal_;
    bool visible_ = false;
};
