#include "SCScaleLoader.h"

namespace fretkit {

SCScaleLoader::SCScaleLoader(const SCScale& scale, const Bundle& bundle, double rate,
                             Deliver deliver, Report report)
    : scale_(scale), bundle_(bundle), decoder_(rate), deliver_(std::move(deliver)),
      report_(std::move(report)) {}

void SCScaleLoader::main() {
    for (const SCScaleNote& note : scale_.notes()) {
        std::string problem;
        auto sample =
            decoder_.decodeStringSample(bundle_, note.string(), note.MIDINote(), &problem);
        if (!sample && report_) {
            report_(problem);
        }
        deliver_(std::move(sample));
        if (isCancelled()) {
            return;
        }
    }
}

} // namespace fretkit
