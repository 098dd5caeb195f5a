#pragma once

#include "PluckVoice.h"

#include <cstddef>
#include <vector>

// A plucked string as one delay loop (extended Karplus-Strong): an integer delay line, a
// first-order allpass for the fractional rest of the period, a one-pole loss filter (high
// partials die faster than low ones) and a chain of allpasses that delays high partials less than
// low ones (stiffness: the upper partials run sharp). The loop is tuned so that its delay at the
// fundamental is exactly one period, which puts the first partial on the asked frequency.
class WaveguideString {
public:
    static constexpr int kDispersionSections = 4;

    explicit WaveguideString(const PluckVoice& voice);

    // The force at the bridge over `frames` frames after the pluck at frame 0.
    std::vector<double> render(std::size_t frames) const;

    // The loop's phase delay at `omega` (radians a sample), in samples.
    double loopDelay(double omega) const;
    // The loop's gain at `omega`: how much a partial keeps of its amplitude per round trip.
    double loopGain(double omega) const;

    std::size_t delayLength() const { return delayLength_; }
    double dispersionCoefficient() const { return dispersion_; }

private:
    void designLoss();
    void designDispersion();
    void designTuning();
    std::vector<double> excitation() const;

    PluckVoice voice_;
    double omega_ = 0.0;  // the fundamental, radians a sample
    double period_ = 0.0; // samples
    double lossGain_ = 1.0;
    double lossPole_ = 0.0;   // a in g (1 + a) / (1 + a z^-1)
    double dispersion_ = 0.0; // c of each (c + z^-1) / (1 + c z^-1)
    double tuning_ = 0.0;     // the fractional allpass's coefficient
    std::size_t delayLength_ = 1;
};
