#pragma once

#include <QStringList>

class PhoneScreen;

// The script command of a finger drawn across the screen, for end-to-end tests:
//
//   drag X1 Y1 X2 Y2 [STEPS]
//                       a press at the first point of the phone screen (in points), STEPS
//                       moves along the line to the second (12 unless given) and a release
//                       there; as a mouse delivers them, the widget under the press gets the
//                       moves and the release too
class ScriptDrag {
public:
    static constexpr int kDefaultSteps = 12;

    // False, with the reason, for words that are no drag.
    static bool run(PhoneScreen& screen, const QStringList& words, QString* error);
};
