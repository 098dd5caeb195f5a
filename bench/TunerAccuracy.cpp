// How well the tuner reads plucked strings across the whole neck, from E2 to E6 in semitone
// steps, each at several offsets from the note and with several plucks (pluck point, stiffness,
// decay, level, noise and microphone roll-off vary). Each pluck goes through the tuner's input
// path in blocks of 1024 frames with one analysis pass per block, as a file is read. Prints the
// share of readings that name the wrong note and the median and 95th-percentile cents error.
#include "support/TunerAccuracy.h"

#include "support/LogCapture.h"

#include <cstdio>

int main() {
    LogCapture log;
    const double offsets[] = {-30.0, -12.0, 0.0, 7.0, 25.0};
    accuracy::Summary all;
    for (int note = 40; note <= 88; ++note) {
        for (unsigned variant = 0; variant < 3; ++variant) {
            const accuracy::Case c{note, offsets[(static_cast<unsigned>(note) + variant) % 5],
                                   variant};
            accuracy::Summary one;
            accuracy::measure(c, 1.5, one);
            if (one.wrongNote > 0) {
                std::printf("MIDI %d, pluck %u: %zu of %zu readings name another note\n", note,
                            variant, one.wrongNote, one.accepted);
            }
            all.plucks += one.plucks;
            all.passes += one.passes;
            all.accepted += one.accepted;
            all.wrongNote += one.wrongNote;
            all.centsErrors.insert(all.centsErrors.end(), one.centsErrors.begin(),
                                   one.centsErrors.end());
        }
    }
    std::printf("plucks %zu, passes %zu, readings %zu (%.1f %% of passes)\n", all.plucks,
                all.passes, all.accepted,
                100.0 * static_cast<double>(all.accepted) / static_cast<double>(all.passes));
    std::printf("wrong note: %zu (%.2f %%)\n", all.wrongNote, 100.0 * all.grossErrorRate());
    std::printf("cents error: median %.2f, 95th percentile %.2f, largest %.2f\n",
                all.percentile(0.5), all.percentile(0.95), all.percentile(1.0));
    return 0;
}
