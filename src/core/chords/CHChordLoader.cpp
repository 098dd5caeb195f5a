#include "CHChordLoader.h"

namespace fretkit {

CHChordLoader::CHChordLoader(const CHChord& chord, const Bundle& bundle, double rate,
                             Deliver deliver, Report report)
    : chord_(chord), bundle_(bundle), decoder_(rate), deliver_(std::move(deliver)),
      report_(std::move(report)) {}

unsigned CHChordLoader::noteForString(const CHChord& chord, unsigned s) {
    return (chord.openString(s) ? 0 : chord.fretForString(s)) + kOpenStrings.at(s);
}

void CHChordLoader::main() {
    for (unsigned s = 0; s < CHChord::kStrings; ++s) {
        if (chord_.mutedString(s)) {
            continue;
        }
        std::string problem;
        auto sample = decoder_.decodeStringSample(bundle_, s, noteForString(chord_, s), &problem);
        if (!sample && report_) {
            report_(problem);
        }
        if (sample) {
            deliver_(s, std::move(sample));
        }
        if (isCancelled()) {
            return;
        }
    }
}

} // namespace fretkit
