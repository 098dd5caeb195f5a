#include "TuneStatusLine.h"

#include "foundation/StringFormat.h"
#include "tuner/TNNoteLabels.h"

#include <algorithm>
#include <cmath>

namespace {

std::string needle(const std::optional<TNNote>& note) {
    constexpr int centre = TuneStatusLine::kNeedleCells / 2;
    std::string cells(TuneStatusLine::kNeedleCells, '-');
    cells[centre] = '|';
    if (note) {
        const int step = static_cast<int>(std::lround(note->offset() / 10.0f));
        cells[static_cast<std::size_t>(std::clamp(centre + step, 0, 2 * centre))] = '#';
    }
    return '[' + cells + ']';
}

std::string lampsText(unsigned lamps) {
    // Lamp 4, the quietest, lights first: fill from the left as the level rises.
    std::string text = "[----]";
    for (unsigned i = 0; i < 4; ++i) {
        if ((lamps & (1u << (3 - i))) != 0) {
            text[1 + i] = '#';
        }
    }
    return text;
}

} // namespace

std::string TuneStatusLine::format(const std::optional<TNNote>& note, unsigned lamps) {
    const TNNoteLabels labels = TNNoteLabels::forNote(note);
    const std::string name =
        note && note->usesTuning() ? note->stringName() + " (" + labels.note + ")" : labels.note;
    return fretkit::stringWithFormat("%-7s %7s  %s  level %s", name.c_str(), labels.cents.c_str(),
                                     needle(note).c_str(), lampsText(lamps).c_str());
}
