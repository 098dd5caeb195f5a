#include "TunerFeed.h"
#include "support/LogCapture.h"
#include "tuner/TNNoteLabels.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;

namespace {

constexpr double kRate = 44100.0;

} // namespace

// The audio thread feeds, the analysis thread estimates, the main thread receives; once the
// input stops the analysis thread sleeps instead of analysing the same samples again.
TEST(TNTunerEngineThreads, AnalysesWhileFedAndSleepsWhenInputStops) {
    LogCapture log;
    fretkit::MainThread::defaultQueue().pump();
    auto engine = TNTunerEngine::create(kRate, TNTunings(fretkit::PlistValue::array()));
    ASSERT_TRUE(engine);
    ResultLog results(*engine);
    engine->startAnalysis();
    engine->startAnalysis(); // a second start keeps the one thread
    EXPECT_TRUE(engine->isAnalysing());

    const auto samples =
        signals::toInt16(signals::sine(246.94, kRate, static_cast<std::size_t>(kRate), 0.4));
    std::thread audio([&] {
        for (std::size_t start = 0; start + 512 <= samples.size(); start += 512) {
            engine->input(samples.data() + start, 512, static_cast<double>(start));
            std::this_thread::sleep_for(1ms);
        }
    });
    auto& queue = fretkit::MainThread::defaultQueue();
    const bool heard = queue.pumpUntil(
        [&] {
            return !results.results.empty() && results.results.back().note &&
                   TNNoteLabels::forNote(results.results.back().note).note == "B3";
        },
        10s);
    audio.join();
    EXPECT_TRUE(heard);

    std::this_thread::sleep_for(300ms);
    queue.pump();
    const std::size_t settled = results.results.size();
    std::this_thread::sleep_for(300ms);
    queue.pump();
    EXPECT_EQ(results.results.size(), settled) << "the analysis thread kept analysing old input";

    engine->stopAnalysis();
    EXPECT_FALSE(engine->isAnalysing());
    // New input after stopping is taken but not analysed until the thread starts again.
    engine->input(samples.data(), 512, 0.0);
    std::this_thread::sleep_for(50ms);
    queue.pump();
    EXPECT_EQ(results.results.size(), settled);
    engine->startAnalysis();
    EXPECT_TRUE(queue.pumpUntil([&] { return results.results.size() > settled; }, 10s));
    engine.reset(); // stops the thread
    queue.pump();
}
