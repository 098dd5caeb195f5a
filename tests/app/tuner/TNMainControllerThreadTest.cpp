#include "TunerTestSupport.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

namespace {

// An A2 string ringing on and on, as 16-bit samples scaled to floats.
std::vector<float> ringingA2(std::size_t frames) {
    std::vector<float> samples(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / 44100.0;
        samples[i] = static_cast<float>(0.3 * std::sin(2.0 * M_PI * 110.0 * t) +
                                        0.1 * std::sin(2.0 * M_PI * 220.0 * t));
    }
    return samples;
}

} // namespace

// The audio thread feeds the screen, the analysis thread reports, the main thread shows,
// switches displays, opens and closes the settings (which stops and restarts the analysis) and
// finally leaves the screen while sound still comes.
TEST(TunerScreenThreads, AudioAnalysisAndScreenThreadsMeetOnlyThroughTheirHandOffs) {
    TunerOnScreen screen;
    const std::vector<float> sound = ringingA2(44100);
    std::atomic<bool> done{false};
    std::thread audio([&] {
        std::size_t at = 0;
        while (!done.load()) {
            screen.device().pump(512, sound.data() + at);
            at = (at + 512) % (sound.size() - 512);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    EXPECT_TRUE(waitUntil([&] { return screen.note() == "A2"; }, 20000))
        << screen.note().toStdString();
    screen.key(Qt::Key_N);
    screen.advance(0.5);

    NavigationController* settings = screen.openSettings();
    ASSERT_NE(settings, nullptr);
    EXPECT_FALSE(screen.tuner->engine()->isAnalysing());
    screen.closeSettings(*settings);
    screen.tuner->input(std::nullopt);
    EXPECT_TRUE(waitUntil([&] { return screen.note() == "A2"; }, 20000));

    EXPECT_TRUE(screen.navigation->popViewController(false));
    EXPECT_TRUE(waitUntil([&] { return screen.navigation->viewControllers().size() == 1; }));
    done = true;
    audio.join();
}
