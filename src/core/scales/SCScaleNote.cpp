#include "SCScaleNote.h"

#include <utility>

namespace fretkit {

SCScaleNote SCScaleNote::scaleNoteForRoot(const SCNote& root, unsigned interval,
                                          Alterations alterations) {
    SCScaleNote note;
    note.setInterval(interval);
    note.setAlterations(std::move(alterations));
    const SCNote spelled = root.spelledAbove(interval, note.intervalName());
    note.setLetter(spelled.letter());
    note.setAccidentals(spelled.accidentals());
    return note;
}

bool SCScaleNote::flag(const char* key) const {
    return alterations_ && (*alterations_)[key].boolValue();
}

std::string SCScaleNote::intervalName() const {
    switch (interval_ % 12) {
    case 0:
        return "R";
    case 1:
        return "b2";
    case 2:
        return flag("useDoubleFlat3") ? "bb3" : "2";
    case 3:
        return flag("useSharp2") ? "#2" : "b3";
    case 4:
        return flag("useFlat4") ? "b4" : "3";
    case 5:
        return flag("useSharp3") ? "#3" : "4";
    case 6:
        return flag("useSharp4") ? "#4" : "b5";
    case 7:
        return flag("useDoubleFlat6") ? "bb6" : "5";
    case 8:
        return flag("useSharp5") ? "#5" : "b6";
    case 9:
        return flag("useDoubleFlat7") ? "bb7" : "6";
    case 10:
        return flag("useSharp6") ? "#6" : "b7";
    default:
        return "7";
    }
}

} // namespace fretkit
