#include "TNEstimateSmoother.h"

#include <cmath>

double TNEstimateSmoother::semitoneOf(double frequency, double reference) {
    const auto ratio = static_cast<float>(frequency / reference);
    return 12.0 * static_cast<double>(std::log2(ratio)) + 69.0;
}

TNEstimateSmoother::Outcome TNEstimateSmoother::add(double frequency, double quality,
                                                    double reference) {
    if (std::isnan(quality)) {
        return Outcome::Ignored;
    }
    const double s = semitoneOf(frequency, reference);
    const bool onset =
        static_cast<double>(previousQuality_) < kQualityThreshold && quality >= kQualityThreshold;
    if (onset) {
        smoothedSemitone_ = s;
    } else {
        const double r = std::round(s);
        const double rs = std::round(smoothedSemitone_);
        if (r != rs) {
            smoothedSemitone_ = s;
        } else {
            smoothedSemitone_ = r + 0.5 * (s - r) + 0.5 * (smoothedSemitone_ - rs);
        }
    }
    previousQuality_ = static_cast<float>(quality);
    return quality < kQualityThreshold ? Outcome::Rejected : Outcome::Accepted;
}
