// How well the tuner reads plucked strings across the whole neck, from E2 to E6 in semitone
// steps, each at several offsets from the note and with several plucks (pluck point, stiffness,
// decay, level, noise and microphone roll-off vary). Each pluck goes through the tuner's input
// path in blocks of 1024 frames with one analysis pass per block, as a file is read. Prints the
// share of readings that name the wrong note and the median and 95th-percentile cents error
// against each pluck's first partial. An argument multiplies the background noise (e.g. 3).
#include "support/TunerAccuracy.h"

#include "support/LogCapture.h"

#include <cstdlib>

int main(int argc, char** argv) {
    LogCapture log;
    const double noiseScale = argc > 1 ? std::atof(argv[1]) : 1.0;
    if (!(noiseScale >= 0.0)) {
        std::fprintf(stderr, "usage: tuner_accuracy [noise scale, 1 by default]\n");
        return 2;
    }
    accuracy::print(
        accuracy::measureNeck([noiseScale](const accuracy::Case& c, accuracy::Summary& one) {
            accuracy::measure(c, 1.5, one, noiseScale);
        }));
    return 0;
}
