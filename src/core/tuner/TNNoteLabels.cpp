#include "TNNoteLabels.h"

#include "foundation/StringFormat.h"

TNNoteLabels TNNoteLabels::forNote(const std::optional<TNNote>& note) {
    if (!note) {
        return {"--", "--"};
    }
    return {fretkit::stringWithFormat("%s%d", note->chromaticName(), note->octave()),
            fretkit::stringWithFormat("%+.1f c", static_cast<double>(note->offset()))};
}
