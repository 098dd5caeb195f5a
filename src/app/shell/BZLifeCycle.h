#pragma once

#include <QObject>
#include <QWindow>

class BZController;

// Maps the desktop's life cycle onto the application delegate's. The stream runs while the
// window is on screen and the machine is awake, whether or not the window has the focus: a
// tuner or a metronome behind another window keeps working. Minimising or hiding the window
// and the machine going to sleep stop it (resign active); coming back starts it again (become
// active); quitting releases it (terminate).
class BZLifeCycle : public QObject {
    Q_OBJECT

public:
    explicit BZLifeCycle(BZController& controller, QObject* parent = nullptr);

    // Follows the window and the application's end from now on; activates when the window is
    // on screen.
    void start(QWindow* window);
    // Hears the login manager announce sleep and wake on the system bus; false when there is
    // no system bus to listen on (the stream then runs through a suspend as through a pause).
    bool watchSystemSleep();

    bool isActive() const { return active_; }

public slots:
    void windowVisibilityChanged(QWindow::Visibility visibility);
    void prepareForSleep(bool sleeping);
    void applicationWillQuit();

private:
    void update();

    BZController& controller_;
    bool shown_ = false;
    bool sleeping_ = false;
    bool active_ = false;
    bool terminated_ = false;
};
