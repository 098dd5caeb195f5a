#include "MTMainController.h"
#include "MTTempoEditor.h"
#include "app/ShellTestSupport.h"
#include "foundation/Bundle.h"
#include "foundation/ManualTimerScheduler.h"
#include "foundation/UserDefaults.h"
#include "metronome/MTSettings.h"
#include "shell/BZController.h"
#include "support/AudioTestSupport.h"
#include "ui/NavigationController.h"
#include "ui/ScreenWindow.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace fretkit::host;

// The metronome in the app's audio path while an audio thread renders: the main thread starts
// and stops it, steps the tempo, changes the click and the time signature and shows the beats
// the audio thread signals.
TEST(MTMainControllerThreads, TheMainThreadPlaysWithTheMetronomeWhileTheAudioThreadRenders) {
    shellApplication();
    fretkit::UserDefaults::standard().setInteger(276, MTSettings::kTempoKey);
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 0, 2);
    fretkit::ManualTimerScheduler timers;
    ScreenWindow window(1);
    BZController controller(window, fretkit::Bundle::main());
    auto stack = std::make_unique<NavigationController>(std::make_unique<ViewController>());
    NavigationController& navigation = *stack;
    controller.applicationDidFinishLaunching(std::move(stack));
    controller.applicationDidBecomeActive();
    auto metronome = std::make_unique<MTMainController>(&timers);
    MTMainController& screen = *metronome;
    navigation.pushViewController(std::move(metronome), false);
    screen.startStop();

    std::atomic<bool> done{false};
    std::thread audio([&] {
        std::vector<float> out(2 * 64);
        for (int cycle = 0; cycle < 20000; ++cycle) {
            device.pump(64, nullptr, out.data());
        }
        done.store(true);
    });
    double now = 0.0;
    for (int turn = 0; !done.load(); ++turn) {
        now += MTMainController::kPollInterval;
        timers.advanceTo(now); // the display looks for beats
        turn % 2 == 0 ? screen.increment() : screen.decrement();
        if (turn % 50 == 0) {
            fretkit::UserDefaults::standard().setInteger(turn % 100 == 0 ? 0x34 : 0,
                                                         MTSettings::kTimeSignatureKey);
            fretkit::UserDefaults::standard().setString(turn % 100 == 0 ? "Clave" : "Blip",
                                                        MTSettings::kSoundNameKey);
            screen.settingDidChange(MTSettings::kSoundNameKey);
        }
        if (turn % 400 == 399) {
            screen.startStop();
            screen.startStop();
        }
    }
    audio.join();
    EXPECT_TRUE(screen.isPlaying());
    EXPECT_GT(screen.engine().framesRendered(), 0u);
    screen.startStop();
}
