#pragma once

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
class Tour {
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
    bool walk();
    bool prepareFolder();
    bool snap(const QString& name);
    bool reach(const std::function<bool()>& condition, const QString& screen);
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
    QString error_;
};
