#include "ControllerTestSupport.h"
#include "audio/QVAudioStream.h"
#include "foundation/Bundle.h"
#include "shell/BZController.h"
#include "support/AudioTestSupport.h"
#include "ui/NavigationController.h"
#include "ui/ScreenWindow.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using namespace fretkit::host;

namespace {

// A tool screen that notes whether a cycle reaches it after its pop returned, or whether it is
// deleted while a cycle is inside it.
class WatchedScreen : public ViewController, public QVAudioStreamRenderer {
public:
    explicit WatchedScreen(std::atomic<int>& faults) : faults_(faults) {}
    ~WatchedScreen() override {
        if (rendering_.load()) {
            faults_.fetch_add(1);
        }
    }
    bool renderAudioToBuffer(QVAudioBuffer& buffer, const QVAudioTimeStamp&) override {
        rendering_.store(true);
        // A cycle that takes a while, so that pops land inside cycles.
        std::this_thread::sleep_for(std::chrono::microseconds(100));
        if (popped.load()) {
            faults_.fetch_add(1);
        }
        renders.fetch_add(1);
        buffer.setSampleValue(1, 0, 0);
        rendering_.store(false);
        return true;
    }
    std::atomic<bool> popped{false};
    std::atomic<int> renders{0};

private:
    std::atomic<int>& faults_;
    std::atomic<bool> rendering_{false};
};

} // namespace

TEST(BZControllerThreads, APoppedScreenIsNeitherCalledNorDeletedDuringACycle) {
    screenApplication();
    AlertRecorder alerts;
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 1, 2);
    TempDir dir;
    ScreenWindow window(1);
    fretkit::Bundle bundle(writeInfoBundle(dir, "<true/>"));
    BZController controller(window, bundle);
    auto stack = std::make_unique<NavigationController>(std::make_unique<ViewController>());
    NavigationController* navigation = stack.get();
    controller.applicationDidFinishLaunching(std::move(stack));
    controller.applicationDidBecomeActive();
    ASSERT_TRUE(controller.stream() && controller.stream()->isRunning());

    // The audio thread: cycles back to back, as a sound card's callback would come.
    std::atomic<bool> done{false};
    std::atomic<long> cycles{0};
    std::thread audio([&] {
        while (!done.load()) {
            device.pump(64);
            cycles.fetch_add(1);
        }
    });

    std::atomic<int> faults{0};
    int totalRenders = 0;
    for (int round = 0; round < 200; ++round) {
        auto watched = std::make_unique<WatchedScreen>(faults);
        QPointer<WatchedScreen> screen = watched.get();
        navigation->pushViewController(std::move(watched), false);
        const long before = cycles.load();
        while (cycles.load() < before + 2) {
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
        navigation->popViewController(false);
        screen->popped.store(true);
        totalRenders += screen->renders.load();
        // The screen goes while the audio thread keeps cycling.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_TRUE(waitUntil([&] { return screen.isNull(); }));
    }
    done.store(true);
    audio.join();
    EXPECT_EQ(faults.load(), 0);
    EXPECT_GE(totalRenders, 200);
    EXPECT_TRUE(alerts.alerts.empty());
}
