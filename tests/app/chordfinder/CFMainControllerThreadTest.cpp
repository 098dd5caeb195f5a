#include "CFMainController.h"
#include "ShellTestSupport.h"
#include "chordfinder/CFSettings.h"
#include "foundation/Bundle.h"
#include "foundation/ManualTimerScheduler.h"
#include "foundation/UserDefaults.h"
#include "fretboard/BZStringTitle.h"
#include "shell/BZController.h"
#include "support/AudioTestSupport.h"
#include "ui/NavigationController.h"
#include "ui/ScreenWindow.h"

#include <QPointer>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace fretkit::host;

// The chord finder in the app's audio path while an audio thread renders: the main thread frets,
// plucks, mutes, strums, detunes (new samples for every string), removes fingers and at last
// leaves the screen, all while the strings sound.
TEST(CFMainControllerThreads, TheMainThreadPlaysTheNeckWhileTheAudioThreadRenders) {
    shellApplication();
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 0, 2);
    fretkit::ManualTimerScheduler timers;
    ScreenWindow window(1);
    BZController controller(window, fretkit::Bundle::main());
    auto stack = std::make_unique<NavigationController>(std::make_unique<ViewController>());
    NavigationController& navigation = *stack;
    controller.applicationDidFinishLaunching(std::move(stack));
    controller.applicationDidBecomeActive();
    auto finder = std::make_unique<CFMainController>(&timers);
    CFMainController& screen = *finder;
    navigation.pushViewController(std::move(finder), false);
    BZFretboard& neck = *screen.portraitFretboard();

    std::atomic<bool> stop{false};
    std::atomic<int> loud{0};
    std::thread audio([&] {
        std::vector<float> out(2 * 128);
        while (!stop.load()) {
            device.pump(128, nullptr, out.data());
            loud.fetch_add(out[1] != 0.0f ? 1 : 0);
        }
    });
    fretkit::UserDefaults& defaults = fretkit::UserDefaults::standard();
    double now = 0.0;
    for (unsigned turn = 0; turn <= 300; ++turn) {
        const unsigned string = turn % 6;
        screen.fretboardDidTapString(neck, string, turn % 13);
        screen.fretboardDidPluckString(neck, (string + 3) % 6, 0);
        if (turn % 7 == 0) {
            screen.toggleString(*screen.portraitStringTitles()[string]);
        }
        if (turn % 11 == 0) {
            screen.strum();
        }
        if (turn % 17 == 0) {
            defaults.setInteger(static_cast<int>(turn % 5) - 2, CFSettings::kDetuneKey);
            screen.settingDidChange(CFSettings::kDetuneKey);
        }
        if (turn % 5 == 0) {
            screen.removeFinger(*screen.portraitFingers()[string]);
        }
        now += 0.01;
        timers.advanceTo(now);
        QCoreApplication::processEvents();
    }
    QPointer<CFMainController> gone = &screen;
    navigation.popViewController(false); // gone while the strings still sound
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(gone.isNull());
    stop.store(true);
    audio.join();
    EXPECT_GT(loud.load(), 0);
}
