#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

class ViewController;

// The phone's 320 x 480-point screen: a 20-point status bar over the application frame, which
// shows the root screen. Modal screens and curtains are laid over it. The last screen made is
// the key screen, where those go.
class PhoneScreen : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 480;
    static constexpr int kStatusBarHeight = 20;

    explicit PhoneScreen(QWidget* parent = nullptr);
    ~PhoneScreen() override;

    static PhoneScreen* keyScreen();

    QRect applicationFrame() const { return {0, kStatusBarHeight, kWidth, kHeight - 20}; }

    // Puts a screen on the phone; the previous root disappears and is deleted.
    void setRootViewController(std::unique_ptr<ViewController> controller);
    ViewController* rootViewController() const { return root_.get(); }

    // The screen's picture at a scale of 1 or 2 (points to pixels).
    QImage render(int scale);

    // A hidden status bar leaves its strip to what lies over it (a landscape view).
    bool isStatusBarHidden() const { return statusBarHidden_; }
    void setStatusBarHidden(bool hidden);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<ViewController> root_;
    bool statusBarHidden_ = false;
};
