#include "f0est/AFFrequencyDetector.h"

#include "f0est/nu_dsp_f0est.h"
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
    explicit Detector(double rate = kRate)
        : detector_(AFFrequencyDetector::create(rate, 75.0, 700.0, 14)) {
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

namespace {

// A plucked steel string with the stiffness of a guitar's at that height: partials k f0
// sqrt(1 + B k^2), so the k-th lies k^2 B / 2 above k times the first, and the period of the
// whole sound lies above the first partial's.
signals::Pluck stiffString(int midiNote, double rate) {
    signals::Pluck p;
    const double height = (midiNote - 40) / 48.0;
    p.frequency = 440.0 * std::exp2((midiNote - 69) / 12.0) * std::exp2(7.0 / 1200.0);
    p.inharmonicity = 2e-5 * std::pow(15.0, height);
    p.decay = 1.0 + 3.0 * height;
    p.noiseLevel = 0.001;
    p.seconds = 1.0;
    p.seed = static_cast<unsigned>(midiNote) + static_cast<unsigned>(rate);
    return p;
}

} // namespace

TEST(AFFrequencyDetector, ReadsStiffStringsAtTheirFirstPartialWithinAFifthOfACent) {
    for (const double rate : {44100.0, 48000.0}) {
        for (const int note : {40, 45, 50, 55, 59, 64, 69, 76, 81, 88}) {
            const signals::Pluck string = stiffString(note, rate);
            const auto samples = signals::pluck(string, rate);
            Detector detector(rate);
            for (const double seconds : {0.3, 0.6, 0.95}) {
                const auto upTo = static_cast<std::size_t>(seconds * rate);
                const std::vector<float> part(samples.begin(),
                                              samples.begin() + static_cast<std::ptrdiff_t>(upTo));
                const auto estimate = detector.analyse(part);
                ASSERT_TRUE(estimate) << note << " at " << seconds << " s";
                EXPECT_NEAR(cents(estimate->frequency, string.frequency), 0.0, 0.2)
                    << "MIDI " << note << " at " << seconds << " s, " << rate << " Hz";
            }
        }
    }
}

TEST(AFFrequencyDetector, ReadsANoteThatBeganWithinTheFrameAfterItsAttack) {
    // Silence, then a pluck whose attack lies 5000 samples before the end of the frame: the
    // frame's first 3192 samples would bias a reading of the whole frame.
    signals::Pluck string = stiffString(45, kRate);
    string.seconds = 5000.0 / kRate;
    std::vector<float> samples(20000, 0.0f);
    const auto pluck = signals::pluck(string, kRate);
    std::copy(pluck.begin(), pluck.end(), samples.end() - static_cast<long>(pluck.size()));
    Detector detector;
    const auto estimate = detector.analyse(samples);
    ASSERT_TRUE(estimate);
    EXPECT_NEAR(cents(estimate->frequency, string.frequency), 0.0, 0.2);
}

TEST(AFFrequencyDetector, KeepsThePeriodsReadingWhereTheFundamentalPartialIsMissing) {
    // Partials 2 to 5 of a stiff 110 Hz string: the period still names 110 Hz, but there is no
    // partial near it to measure, so the reading must be the period's, not a neighbour's.
    std::vector<float> samples(20000, 0.0f);
    for (int k = 2; k <= 5; ++k) {
        samples = mix(samples, signals::sine(110.0 * k * std::sqrt(1.0 + 1e-4 * k * k), kRate,
                                             samples.size(), 0.1));
    }
    LogCapture log;
    nu_dsp_f0est_internal_t* measuring = nu_dsp_f0est__create(kRate, 14);
    nu_dsp_f0est_internal_t* periodOnly = nu_dsp_f0est__create(kRate, 14);
    periodOnly->partialMinimumShare = 2.0; // no partial can hold more than the whole frame
    double frequencies[2] = {};
    double quality = 0.0;
    nu_dsp_f0est_internal_t* both[] = {measuring, periodOnly};
    for (int i = 0; i < 2; ++i) {
        nu_dsp_f0est__submit(both[i], samples.data(), static_cast<std::uint32_t>(samples.size()));
        ASSERT_TRUE(nu_dsp_f0est__detect(both[i], &frequencies[i], &quality));
        nu_dsp_f0est__destroy(both[i]);
    }
    EXPECT_NEAR(cents(frequencies[1], 110.0), 0.0, 25.0);
    EXPECT_EQ(frequencies[0], frequencies[1]);
}
