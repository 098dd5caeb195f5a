#pragma once

// Receives the estimates of an AFFrequencyDetector, on the thread that runs its passes.
class AFFrequencyDetectorDelegate {
public:
    virtual ~AFFrequencyDetectorDelegate() = default;
    // The frequency in Hz and the quality of the estimate, in (0, 1], higher is more certain.
    virtual void detectedFrequency(double frequency, double quality) = 0;
};
