#include "SCMainController.h"
#include "app/ShellTestSupport.h"
#include "audio/QVAudioStream.h"
#include "foundation/Bundle.h"
#include "foundation/ManualTimerScheduler.h"
#include "shell/BZController.h"
#include "support/AudioTestSupport.h"
#include "ui/NavigationController.h"
#include "ui/ScreenWindow.h"

#include <QTest>
#include <atomic>
#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <thread>

using namespace fretkit::host;

// The scales screen in the app's audio path while the stream's thread renders it: the main
// thread steps through the patterns (each change drops the sounds and starts a loader), strums,
// and stops strums with touches, while the loader hands over sounds under the stream's render
// lock. Then a touched marker's note is heard.
TEST(SCMainControllerThreads, TheMainThreadPlaysThePatternsWhileTheStreamRendersThem) {
    shellApplication();
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 0, 2);
    fretkit::ManualTimerScheduler timers;
    ScreenWindow window(1);
    BZController controller(window, fretkit::Bundle::main());
    auto stack = std::make_unique<NavigationController>(std::make_unique<ViewController>());
    NavigationController& navigation = *stack;
    controller.applicationDidFinishLaunching(std::move(stack));
    controller.applicationDidBecomeActive();
    auto scales = std::make_unique<SCMainController>(&timers);
    SCMainController& screen = *scales;
    navigation.pushViewController(std::move(scales), false);
    ASSERT_EQ(&screen.scalePlayer().player().renderLock(), &controller.stream()->renderLock());

    std::atomic<bool> done{false};
    std::atomic<bool> secondNoteHeard{false}; // a buffer with sound while note 1 played
    std::thread audio([&] {
        std::vector<float> out(2 * 256);
        while (!done.load()) {
            device.pump(256, nullptr, out.data());
            float peak = 0.0f;
            for (const float sample : out) {
                peak = std::max(peak, std::abs(sample));
            }
            if (peak > 0.01f && screen.scalePlayer().player().playbackNoteIndex() == 1) {
                secondNoteHeard.store(true);
            }
        }
    });
    QWidget* view = screen.view();
    double now = 0.0;
    for (int turn = 0; turn < 40; ++turn) {
        QTest::keyClick(view, turn % 7 < 4 ? Qt::Key_Right : Qt::Key_Left);
        if (turn % 4 == 0) {
            screen.scalePlayer().waitUntilLoaded(); // now and then all sounds are there
        }
        QTest::keyClick(view, turn % 2 == 0 ? Qt::Key_Space : Qt::Key_Down);
        now += 0.5;
        timers.advanceTo(now);
        if (turn % 5 == 4 && !screen.portraitFretboard()->fingers().empty()) {
            // A touch on the first marker: the strum ends and its note plays.
            if (auto* marker =
                    dynamic_cast<SCFinger*>(screen.portraitFretboard()->fingers().front().get())) {
                screen.fingerTouched(*marker);
            }
        }
    }
    // Then the loads finish and a touch asks for a note: the stream plays it.
    screen.scalePlayer().waitUntilLoaded();
    auto* marker = dynamic_cast<SCFinger*>(screen.portraitFretboard()->fingers().at(1).get());
    if (marker != nullptr) {
        secondNoteHeard.store(false);
        screen.fingerTouched(*marker);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!secondNoteHeard.load() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    done.store(true);
    audio.join();
    EXPECT_NE(marker, nullptr);
    EXPECT_TRUE(secondNoteHeard.load());
}
