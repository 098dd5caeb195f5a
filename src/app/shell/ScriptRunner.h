#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>

class BZController;

// Plays a script of user actions on the running app, for end-to-end tests: it presses what a
// mouse would press and reads back what the frontmost screen reports, one command a line:
//
//   click X Y           a press and release at a point of the phone screen, in points,
//                       delivered to the widget under it
//   drag X1 Y1 X2 Y2 [STEPS]
//                       a press, moves along the line and a release (see ScriptDrag)
//   key NAME            a key press and release ("Space", "T", "Up"), to the focused widget
//   wait SECONDS        lets the app run that long
//   until NAME >= N [SECONDS]
//                       lets the app run until the frontmost screen's property NAME reaches
//                       N (60 s at most unless given)
//   print NAME          writes "NAME = VALUE" of the frontmost screen's property on stdout
//
// Empty lines and lines starting with "#" are skipped. A bad line or a condition that never
// comes ends the script with a message.
class ScriptRunner {
public:
    ScriptRunner(BZController& controller, std::FILE* out);

    // Runs the commands of the file; false with the reason when it cannot be read or a
    // command fails.
    bool runFile(const QString& path, QString* error);
    bool run(const QStringList& lines, QString* error);

private:
    bool runLine(const QString& line, QString* error);
    bool click(const QStringList& words, QString* error);
    bool key(const QStringList& words, QString* error);
    bool until(const QStringList& words, QString* error);
    bool print(const QStringList& words, QString* error);
    QVariant property(const QString& name) const;

    BZController& controller_;
    std::FILE* out_;
};
