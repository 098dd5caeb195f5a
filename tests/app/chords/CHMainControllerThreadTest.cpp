#include "CHMainController.h"
#include "ShellTestSupport.h"
#include "audio/QVAudioStream.h"
#include "foundation/Bundle.h"
#include "shell/BZController.h"
#include "support/AudioTestSupport.h"
#include "ui/NavigationController.h"
#include "ui/ScreenWindow.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace fretkit::host;

// The chords screen on the app's stream, cycled back to back on an audio thread as a sound card
// would, while the main thread steps through shapes (each cancels a load and starts another),
// plucks and strums, and at last pops the screen with a load still running: the sanitizer
// checks every hand-over between the main thread, the loader and the render.
TEST(CHMainControllerThreads, ShapesChangeAndStringsPlayWhileTheStreamRendersAndSamplesLoad) {
    shellApplication();
    AlertRecorder alerts;
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 1, 2);
    ScreenWindow window(1);
    BZController controller(window, fretkit::Bundle::main());
    auto stack = std::make_unique<NavigationController>(std::make_unique<ViewController>());
    NavigationController* navigation = stack.get();
    controller.applicationDidFinishLaunching(std::move(stack));
    controller.applicationDidBecomeActive();
    ASSERT_TRUE(controller.stream() && controller.stream()->isRunning());
    auto made = std::make_unique<CHMainController>();
    QPointer<CHMainController> screen = made.get();
    navigation->pushViewController(std::move(made), false);
    ASSERT_GT(screen->shapeCount(), 1);

    std::atomic<bool> done{false};
    std::atomic<int> loud{0};
    std::thread audio([&] {
        std::vector<float> out(256 * 2);
        while (!done.load()) {
            device.pump(256, nullptr, out.data());
            if (std::any_of(out.begin(), out.end(), [](float v) { return v != 0.0f; })) {
                loud.fetch_add(1);
            }
        }
    });
    BZFretboard& neck = *screen->portraitFretboardView();
    for (int round = 0; round < 40; ++round) {
        screen->nextChord();
        for (unsigned string = 0; string < 6; ++string) {
            screen->fretboardDidPluckString(neck, string, 0);
        }
        screen->strum();
        QTest::qWait(1);
        screen->previousChord();
        screen->fretboardDidTapString(neck, 5, 0);
    }
    screen->player().waitUntilLoaded();
    screen->strum();
    EXPECT_TRUE(waitUntil([&] { return loud.load() > 0; }));
    screen->nextChord(); // a load under way as the screen goes
    navigation->popViewController(false);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(waitUntil([&] { return screen.isNull(); }));
    done.store(true);
    audio.join();
    EXPECT_TRUE(alerts.alerts.empty());
}
