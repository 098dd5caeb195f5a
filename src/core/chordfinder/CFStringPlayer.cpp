#include "CFStringPlayer.h"

namespace fretkit {

void CFStringPlayer::setTuning(const std::array<int, kStrings>& notes, int detune) {
    tuning_ = notes;
    detune_ = detune;
}

void CFStringPlayer::setFret(unsigned string, unsigned fret) {
    if (string < kStrings) {
        frets_[string] = fret;
    }
}

void CFStringPlayer::setMuted(unsigned string, bool muted) {
    if (string < kStrings) {
        muted_[string] = muted;
    }
}

std::string CFStringPlayer::loadAudioForString(unsigned string) {
    if (string >= kStrings) {
        return {};
    }
    player_.stopString(string);
    CFStringLibrary::Sample sample;
    std::string problem;
    const int note = tuning_[kStrings - 1 - string] + detune_ + static_cast<int>(frets_[string]);
    if (!muted_[string] && note >= 0) {
        sample = library_.sampleForString(string, static_cast<unsigned>(note), &problem);
    }
    // The library keeps its own reference: the one handed back is never the last.
    player_.setSample(string, std::move(sample));
    return problem;
}

void CFStringPlayer::playString(unsigned string) {
    if (string < kStrings && !muted_[string]) {
        player_.pluckString(string);
    }
}

} // namespace fretkit
