#include "AFFrequencyDetector.h"

#include "foundation/Log.h"
#include "nu_dsp_f0est.h"

#include <new>

std::unique_ptr<AFFrequencyDetector> AFFrequencyDetector::create(double sampleRate,
                                                                 double /*minimumFrequency*/,
                                                                 double /*maximumFrequency*/,
                                                                 std::uint32_t windowSize) {
    nu_dsp_f0est_internal_t* me = nu_dsp_f0est__create(sampleRate, windowSize);
    if (me == nullptr) {
        return nullptr;
    }
    std::unique_ptr<AFFrequencyDetector> detector(new (std::nothrow) AFFrequencyDetector(me));
    if (!detector) {
        fretkit::Log::line("nu_dsp_f0est -- init -- the detector could not be allocated");
        nu_dsp_f0est__destroy(me);
    }
    return detector;
}

AFFrequencyDetector::~AFFrequencyDetector() {
    fretkit::Log::line("nu_dsp_f0est -- dealloc -- entry point");
    nu_dsp_f0est__destroy(me_);
}

void AFFrequencyDetector::submitAudio(const float* samples, std::uint32_t frames,
                                      double /*timeStamp*/) {
    nu_dsp_f0est__submit(me_, samples, frames);
}

void AFFrequencyDetector::detectFrequency() {
    double frequency = 0.0;
    double quality = 0.0;
    if (nu_dsp_f0est__detect(me_, &frequency, &quality) && delegate_ != nullptr) {
        delegate_->detectedFrequency(frequency, quality);
    }
}

double AFFrequencyDetector::sampleRate() const {
    return me_->sampleRate;
}
