#include "TuneCsvWriter.h"

#include "foundation/StringFormat.h"
#include "tuner/TNNoteLabels.h"
#include "tuner/TNTunerResult.h"

#include <ostream>

void TuneCsvWriter::writeHeader() {
    out_ << "time,frequency,quality,note,cents\n";
}

bool TuneCsvWriter::write(const TNTunerResult& result) {
    if (!result.note) {
        return false;
    }
    const TNNote& note = *result.note;
    const std::string name =
        note.usesTuning() ? note.stringName()
                          : fretkit::stringWithFormat("%s%d", note.chromaticName(), note.octave());
    out_ << fretkit::stringWithFormat(
        "%.4f,%.3f,%.4f,%s,%s\n", static_cast<double>(result.frames) / sampleRate_,
        result.frequency, result.quality, name.c_str(),
        TNNoteLabels::signedCents(static_cast<double>(note.offset())).c_str());
    return true;
}
