#include "TunerFeed.h"
#include "foundation/UserDefaults.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "tuner/TNNoteLabels.h"

#include <gtest/gtest.h>

using fretkit::PlistValue;

namespace {

constexpr double kRate = 44100.0;

TNTunings standardOnly() {
    return TNTunings(PlistValue::array({PlistValue::dictionary(
        {{"name", "Standard"}, {"notes", PlistValue::array({64, 59, 55, 50, 45, 40})}})}));
}

std::vector<std::int16_t> sine(double frequency, double seconds = 0.5) {
    return signals::toInt16(
        signals::sine(frequency, kRate, static_cast<std::size_t>(seconds * kRate), 0.4));
}

class TunerEngine : public ::testing::Test {
protected:
    void SetUp() override {
        fretkit::MainThread::defaultQueue().pump();
        ASSERT_TRUE(engine);
    }

    LogCapture log;
    std::unique_ptr<TNTunerEngine> engine = TNTunerEngine::create(kRate, standardOnly());
    ResultLog results{*engine};
};

} // namespace

TEST_F(TunerEngine, LampsFollowTheLevelStrictlyAboveEachThreshold) {
    engine->setLevel(0);
    EXPECT_EQ(engine->levelLamps(), 0u);
    engine->setLevel(327); // 0.00998 of full scale
    EXPECT_EQ(engine->levelLamps(), 0u);
    engine->setLevel(328);
    EXPECT_EQ(engine->levelLamps(), 0b1000u);
    engine->setLevel(3276);
    EXPECT_EQ(engine->levelLamps(), 0b1100u);
    engine->setLevel(3277);
    EXPECT_EQ(engine->levelLamps(), 0b1110u);
    engine->setLevel(32767);
    EXPECT_EQ(engine->levelLamps(), 0b1111u);
    // The input path measures the buffer itself: a steady 1000 is about -30.3 dB.
    const std::vector<std::int16_t> steady(512, 1000);
    engine->input(steady.data(), 512, 0.0);
    EXPECT_EQ(engine->levelLamps(), 0b1000u);
    const std::vector<std::int16_t> loudest(64, -32768);
    EXPECT_EQ(TNTunerEngine::rmsOf(loudest.data(), 64), 32767);
    EXPECT_EQ(TNTunerEngine::rmsOf(nullptr, 0), 0);
}

TEST_F(TunerEngine, HandsResultsToTheMainThreadWithoutWaiting) {
    const auto samples = sine(440.0);
    feed(*engine, samples);
    EXPECT_TRUE(results.results.empty()); // nothing runs until the main thread pumps
    results.pump();
    ASSERT_FALSE(results.results.empty());
    const TNTunerResult& last = results.results.back();
    EXPECT_NEAR(last.frequency, 440.0, 0.05);
    EXPECT_GT(last.quality, 0.9);
    EXPECT_EQ(last.frames, samples.size());
    ASSERT_TRUE(last.note);
    const TNNoteLabels labels = TNNoteLabels::forNote(last.note);
    EXPECT_EQ(labels.note, "A4");
    EXPECT_EQ(labels.cents, "+0.0 c");
}

TEST_F(TunerEngine, ConvertsBuffersOfChangingSizesCompletely) {
    const auto samples = sine(196.0, 1.0);
    std::size_t start = 0;
    // 9000 frames: more than the float buffer holds, converted in three slices.
    const std::uint32_t sizes[] = {512, 1024, 256, 9000, 333};
    for (std::size_t i = 0; start < samples.size(); ++i) {
        const std::uint32_t frames =
            static_cast<std::uint32_t>(std::min<std::size_t>(sizes[i % 5], samples.size() - start));
        engine->input(samples.data() + start, frames, 0.0);
        start += frames;
    }
    engine->analyseOnce();
    results.pump();
    ASSERT_EQ(results.results.size(), 1u);
    EXPECT_EQ(results.results[0].frames, samples.size());
    // A dropped or stale sample anywhere in the frame would break the period.
    EXPECT_NEAR(results.results[0].frequency, 196.0, 0.05);
    EXPECT_GT(results.results[0].quality, 0.9);
}

TEST_F(TunerEngine, ReadsItsSettingsWithDefaults) {
    TempDir dir;
    fretkit::UserDefaults defaults(dir.file("defaults.plist"));
    TNTunerEngine::registerDefaults(defaults);
    engine->reloadSettings(defaults);
    EXPECT_EQ(engine->tuningIndex(), 0u);
    EXPECT_EQ(engine->detune(), 0);
    EXPECT_DOUBLE_EQ(engine->reference(), 440.0);

    defaults.setInteger(1, TNTunerEngine::kTuningKey);
    defaults.setInteger(-1, TNTunerEngine::kDetuneKey);
    defaults.setDouble(442.0, TNTunerEngine::kReferenceKey);
    engine->reloadSettings(defaults);
    EXPECT_EQ(engine->tuningIndex(), 1u);
    EXPECT_EQ(engine->detune(), -1);
    EXPECT_DOUBLE_EQ(engine->reference(), 442.0);
}

TEST_F(TunerEngine, UsesTheReferenceTuningAndDetune) {
    engine->setReference(442.0);
    feed(*engine, sine(440.0));
    results.pump();
    ASSERT_TRUE(results.results.back().note);
    EXPECT_EQ(TNNoteLabels::forNote(results.results.back().note).note, "A4");
    EXPECT_NEAR(results.results.back().note->offset(), -7.85f, 0.2f);

    // Under standard tuning, a half-step-down fifth string reads as string 5 only with detune.
    engine->setReference(440.0);
    engine->setTuningIndex(1);
    const double aFlat2 = 440.0 * std::exp2((44.0 - 69.0) / 12.0);
    feed(*engine, sine(aFlat2));
    results.pump();
    EXPECT_FALSE(results.results.back().note); // between the A and E strings
    engine->setDetune(-1);
    feed(*engine, sine(aFlat2));
    results.pump();
    ASSERT_TRUE(results.results.back().note);
    EXPECT_EQ(results.results.back().note->stringName(), "5");
    EXPECT_EQ(TNNoteLabels::forNote(results.results.back().note).note, "G#2");
}

TEST_F(TunerEngine, ResultsQueuedWhenTheEngineGoesAreDropped) {
    feed(*engine, sine(330.0));
    engine.reset();
    EXPECT_GT(results.pump(), 0u);
    EXPECT_TRUE(results.results.empty());
}
