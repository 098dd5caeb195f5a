// How well the tuner reads plucked strings across the whole neck, from E2 to E6 in semitone
// steps, each at several offsets from the note and with several plucks (pluck point, stiffness,
// decay, level, noise and microphone roll-off vary). Each pluck goes through the tuner's input
// path in blocks of 1024 frames with one analysis pass per block, as a file is read. Prints the
// share of readings that name the wrong note and the median and 95th-percentile cents error.
#include "support/TunerAccuracy.h"

#include "support/LogCapture.h"

int main() {
    LogCapture log;
    accuracy::print(accuracy::measureNeck(
        [](const accuracy::Case& c, accuracy::Summary& one) { accuracy::measure(c, 1.5, one); }));
    return 0;
}
