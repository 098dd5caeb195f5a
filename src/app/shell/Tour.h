#pragma once

#include "TourSteps.h"

#include <QString>
#include <QStringList>
#include <functional>

class NavigationBar;
class NavigationController;
class QVTableView;
class ScreenWindow;
class BZMainController;
class ViewController;

// A walk through the app's screens as a user's clicks make it, writing one picture per screen:
// the home menu, the about screen, and for every tool its screen (once it exists), its settings
// and each setting's editor, and the location editor's two pages. Taps go to the rows and bar
// buttons themselves; every picture waits for the screen to be reached and its animations to end.
// A tool screen shows its own states through BZMainController::walkTour, with the tour's steps.
class Tour : private TourSteps {
public:
    // Walks `home` (the home menu's stack, shown in `window`), writing into `folder`.
    Tour(ScreenWindow& window, NavigationController& home, QString folder);

    // False, with the reason, when the folder cannot be written or a screen is not reached.
    bool run(QString* error);
    // The tour for the app's command line: says where the pictures are, or why there are none,
    // and answers the exit status.
    static int runFromCommandLine(ScreenWindow& window, NavigationController& home,
                                  const QString& folder);
    // The pictures written so far, file names in order.
    const QStringList& pictures() const { return pictures_; }

    // "time-signature" for "MT_timeSignature", "chord-finder" for "Chord Finder".
    static QString fileWord(const QString& text);

private:
    bool snap(const QString& state) override;
    bool reach(const std::function<bool()>& condition, const QString& what) override;
    void pause(int ms) override;
    void tap(QWidget& widget, QPoint at) override;
    void drag(QWidget& widget, QPoint from, QPoint to, int steps) override;
    void key(int key) override;
    ScreenWindow& window() override { return window_; }

    bool walk();
    bool prepareFolder();
    bool snapPicture(const QString& name);
    bool walkAbout();
    bool walkLocationEditor(ViewController& home);
    bool walkTool(int section, int row);
    bool walkSettings(BZMainController& tool, const QString& name);
    bool walkEditors(NavigationController& settings, QVTableView& table, const QString& name);
    bool tapRow(QVTableView& table, int section, int row);
    void tapBarButton(NavigationBar& bar, bool right);
    bool isSettled(const NavigationController& stack) const;

    ScreenWindow& window_;
    NavigationController& home_;
    QString folder_;
    QStringList pictures_;
    QString tool_; // the file word of the tool whose own states are being shown
    QString error_;
};
