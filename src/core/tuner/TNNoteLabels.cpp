#include "TNNoteLabels.h"

#include "foundation/StringFormat.h"

#include <cmath>

TNNoteLabels TNNoteLabels::forNote(const std::optional<TNNote>& note) {
    if (!note) {
        return {"--", "--"};
    }
    return {fretkit::stringWithFormat("%s%d", note->chromaticName(), note->octave()),
            signedCents(static_cast<double>(note->offset())) + " c"};
}

std::string TNNoteLabels::signedCents(double cents) {
    return fretkit::stringWithFormat("%+.1f", std::round(cents * 10.0) == 0.0 ? 0.0 : cents);
}
