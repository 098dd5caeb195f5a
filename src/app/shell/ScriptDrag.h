#pragma once

#include <QStringList>

class PhoneScreen;

// The "drag" command of a script of user actions (see ScriptRunner), for strokes such as a
// strum across strings:
//
//   drag X1 Y1 X2 Y2 [SECONDS]
//                       a press at (X1, Y1) of the phone screen, in points, moves along the
//                       line to (X2, Y2) spread over SECONDS (0.2 unless given) while the app
//                       runs, and a release there; all go to the widget under the press, as a
//                       mouse's do
class ScriptDrag {
public:
    static constexpr const char* kCommand = "drag";

    // Plays the command's words on the screen; false with the reason when they are not a drag.
    static bool run(PhoneScreen& screen, const QStringList& words, QString* error);
};
