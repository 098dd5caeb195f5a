#include "f0est/AFFrequencyDetector.h"

#include "support/LogCapture.h"
#include "support/Signals.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

constexpr double kRate = 44100.0;

struct Estimate {
    double frequency;
    double quality;
};

class Recorder : public AFFrequencyDetectorDelegate {
public:
    void detectedFrequency(double frequency, double quality) override {
        estimates.push_back({frequency, quality});
    }
    std::vector<Estimate> estimates;
};

class Detector {
public:
    Detector() : detector_(AFFrequencyDetector::create(kRate, 75.0, 700.0, 14)) {
        detector_->setDelegate(&recorder_);
    }

    std::optional<Estimate> analyse(const std::vector<float>& samples) {
        detector_->submitAudio(samples.data(), static_cast<std::uint32_t>(samples.size()), 0.0);
        recorder_.estimates.clear();
        detector_->detectFrequency();
        if (recorder_.estimates.empty()) {
            return std::nullopt;
        }
        EXPECT_EQ(recorder_.estimates.size(), 1u);
        return recorder_.estimates.front();
    }

private:
    LogCapture log_;
    Recorder recorder_;
    std::unique_ptr<AFFrequencyDetector> detector_;
};

double cents(double frequency, double reference) {
    return 1200.0 * std::log2(frequency / reference);
}

std::vector<float> mix(const std::vector<float>& a, const std::vector<float>& b) {
    std::vector<float> sum(a.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        sum[i] = a[i] + b[i];
    }
    return sum;
}

} // namespace

TEST(AFFrequencyDetector, ReadsSinesAcrossTheLowRegisterWithinFiveHundredthsOfAHertz) {
    for (double frequency : {110.0, 82.41, 196.0, 329.63, 440.0}) {
        Detector detector;
        const auto estimate = detector.analyse(signals::sine(frequency, kRate, 20000));
        ASSERT_TRUE(estimate) << frequency;
        EXPECT_NEAR(estimate->frequency, frequency, 0.05) << frequency;
        // The frame is unwindowed and zero-padded: the first period's value is (H - L) / H.
        const double lag = kRate / frequency;
        EXPECT_NEAR(estimate->quality, (8192.0 - lag) / 8192.0, 0.01) << frequency;
    }
}

TEST(AFFrequencyDetector, InterpolatesTheHighestStringWithinACent) {
    // E6, the top of a 24-fret neck: a period of about 33 lags, where the interpolation of the
    // peak decides the reading.
    for (double frequency : {1318.51, 987.77, 659.26}) {
        Detector detector;
        const auto estimate = detector.analyse(signals::sine(frequency, kRate, 20000));
        ASSERT_TRUE(estimate) << frequency;
        EXPECT_NEAR(cents(estimate->frequency, frequency), 0.0, 1.0) << frequency;
    }
}

TEST(AFFrequencyDetector, StrongSecondHarmonicDoesNotHideTheFundamental) {
    Detector plain;
    const auto sines =
        mix(signals::sine(110.0, kRate, 20000, 0.2), signals::sine(220.0, kRate, 20000, 0.4));
    const auto estimate = plain.analyse(sines);
    ASSERT_TRUE(estimate);
    EXPECT_NEAR(estimate->frequency, 110.0, 0.05);
}

TEST(AFFrequencyDetector, ReadsALowEWithAStrongOctaveAtItsOwnOctave) {
    // A low E as a small microphone hears a steel string: the octave partial dominates and the
    // odd partials are weak. The half-period region then holds about 0.895 against 0.935 at
    // the full period, above 0.95 of it once the frame's taper is left in.
    const double e2 = 82.41;
    std::vector<float> samples(20000, 0.0f);
    const double amplitudes[] = {0.18, 1.0, 0.1, 0.3};
    for (int k = 0; k < 4; ++k) {
        samples = mix(samples, signals::sine(e2 * (k + 1), kRate, 20000, 0.3 * amplitudes[k]));
    }
    Detector detector;
    const auto estimate = detector.analyse(samples);
    ASSERT_TRUE(estimate);
    EXPECT_NEAR(estimate->frequency, e2, 0.05);
    EXPECT_NEAR(estimate->quality, (8192.0 - kRate / e2) / 8192.0, 0.01);
}

TEST(AFFrequencyDetector, SilenceAndAnEmptyRingGiveNoEstimate) {
    Detector fresh;
    EXPECT_FALSE(fresh.analyse({}));
    Detector silent;
    EXPECT_FALSE(silent.analyse(std::vector<float>(20000, 0.0f)));
    // A signal that ended: the frame holds only the silence after it.
    Detector ended;
    auto samples = signals::sine(220.0, kRate, 20000);
    samples.resize(40000, 0.0f);
    EXPECT_FALSE(ended.analyse(samples));
}

TEST(AFFrequencyDetector, LogsItsLifeAndRefusesFramesLongerThanItsRing) {
    LogCapture log;
    {
        auto detector = AFFrequencyDetector::create(kRate, 75.0, 700.0, 10);
        ASSERT_TRUE(detector);
        EXPECT_DOUBLE_EQ(detector->sampleRate(), kRate);
    }
    EXPECT_TRUE(log.contains("nu_dsp_f0est -- init -- entry point"));
    EXPECT_TRUE(log.contains("nu_dsp_f0est -- dealloc -- entry point"));
    EXPECT_FALSE(AFFrequencyDetector::create(kRate, 75.0, 700.0, 18));
    EXPECT_FALSE(AFFrequencyDetector::create(kRate, 75.0, 700.0, 40));
}

TEST(AFFrequencyDetector, AnalysesOnlyTheMostRecentHalfFrameAfterTheRingWraps) {
    Detector detector;
    // Far more than the ring holds, first one pitch then another.
    detector.analyse(signals::sine(150.0, kRate, 70000));
    const auto estimate = detector.analyse(signals::sine(300.0, kRate, 8192));
    ASSERT_TRUE(estimate);
    EXPECT_NEAR(estimate->frequency, 300.0, 0.05);
}
