#pragma once

// Turns the estimator's successive frequencies into the semitone value the tuner shows. Within
// one note the deviation is averaged with the previous one (a one-pole filter with factor 1/2);
// a change of note, or the first good estimate after a poor one, is taken as it is. Estimates
// below the quality threshold still advance the state but are not shown.
class TNEstimateSmoother {
public:
    enum class Outcome {
        Ignored,  // a quality that is not a number: nothing changed
        Rejected, // below the quality threshold: show nothing
        Accepted, // show smoothedSemitone()
    };

    static constexpr double kQualityThreshold = 0.66;

    // `reference` is the frequency of MIDI note 69 (A4).
    Outcome add(double frequency, double quality, double reference);

    double smoothedSemitone() const { return smoothedSemitone_; }
    float previousQuality() const { return previousQuality_; }

    // 12 log2(frequency / reference) + 69, the logarithm taken in single precision.
    static double semitoneOf(double frequency, double reference);

private:
    float previousQuality_ = 0.0f;
    double smoothedSemitone_ = 0.0;
};
