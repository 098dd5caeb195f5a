#include "shell/BZController.h"

#include "ControllerTestSupport.h"
#include "audio/QVAudioSession.h"
#include "audio/QVAudioStream.h"
#include "audio/QVAudioTimeStamp.h"
#include "foundation/Bundle.h"
#include "foundation/MainThread.h"
#include "foundation/QueueDispatcher.h"
#include "shell/BZLifeCycle.h"
#include "support/AudioTestSupport.h"
#include "support/LogCapture.h"
#include "ui/NavigationController.h"
#include "ui/PhoneScreen.h"
#include "ui/ScreenWindow.h"

#include <gtest/gtest.h>
#include <vector>

using namespace fretkit::host;

namespace {

class BZControllerTest : public ::testing::Test {
protected:
    ~BZControllerTest() override { HostFaults::reset(); }

    // Launches over an offline device with or without a microphone, under a bundle whose
    // information list says `enableInput` ("<true/>", "<false/>" or nothing).
    BZController& launch(std::uint32_t inputs, const char* enableInput = "<true/>",
                         std::unique_ptr<ViewController> root = nullptr) {
        device = &installOfflineDevice(44100.0, inputs, 2);
        bundle = std::make_unique<fretkit::Bundle>(writeInfoBundle(dir, enableInput));
        controller = std::make_unique<BZController>(window, *bundle);
        if (!root) {
            auto stack = std::make_unique<NavigationController>(std::make_unique<ViewController>());
            navigation = stack.get();
            root = std::move(stack);
        }
        controller->applicationDidFinishLaunching(std::move(root));
        return *controller;
    }

    // One cycle of 64 frames with the microphone at `level`; the output's first sample.
    float pump(float level = 0.0f) {
        std::vector<float> mic(64 * device->info().inputChannels + 1, level);
        std::vector<float> out(128, -1.0f);
        EXPECT_TRUE(device->pump(64, mic.data(), out.data()));
        return out[0];
    }

    QApplication& application = screenApplication();
    AlertRecorder alerts;
    TempDir dir;
    ScreenWindow window{1};
    std::unique_ptr<fretkit::Bundle> bundle;
    std::unique_ptr<BZController> controller;
    OfflineAudioDevice* device = nullptr;
    NavigationController* navigation = nullptr;
};

} // namespace

TEST(BZControllerCategory, RecordsOnlyWithInputAndTheInformationKeySaysSo) {
    using fretkit::PlistValue;
    const PlistValue yes = PlistValue::dictionary({{"BZEnableInput", true}});
    const PlistValue no = PlistValue::dictionary({{"BZEnableInput", false}});
    const PlistValue yesText = PlistValue::dictionary({{"BZEnableInput", "YES"}});
    const PlistValue none = PlistValue::dictionary();
    EXPECT_EQ(BZController::categoryFor(true, yes), QVAudioSession::kCategoryPlayAndRecord);
    EXPECT_EQ(BZController::categoryFor(true, yesText), QVAudioSession::kCategoryPlayAndRecord);
    EXPECT_EQ(BZController::categoryFor(true, no), QVAudioSession::kCategoryMediaPlayback);
    EXPECT_EQ(BZController::categoryFor(true, none), QVAudioSession::kCategoryMediaPlayback);
    EXPECT_EQ(BZController::categoryFor(true, PlistValue()),
              QVAudioSession::kCategoryMediaPlayback);
    EXPECT_EQ(BZController::categoryFor(false, yes), QVAudioSession::kCategoryMediaPlayback);
}

TEST_F(BZControllerTest, LaunchSetsUpTheSessionBuildsTheStreamAndShowsTheRoot) {
    launch(1);
    QVAudioSession* session = QVAudioSession::session();
    ASSERT_NE(session, nullptr);
    EXPECT_EQ(session->delegate(), controller.get());
    EXPECT_EQ(session->category(), QVAudioSession::kCategoryPlayAndRecord);
    EXPECT_TRUE(session->speakerIsDefaultOutput());
    EXPECT_EQ(session->preferredSampleRate(), 44100.0);
    ASSERT_NE(controller->stream(), nullptr);
    EXPECT_EQ(controller->stream()->delegate(), controller.get());
    EXPECT_NE(controller->stream()->mixer(), nullptr); // the microphone path
    EXPECT_EQ(BZController::shared(), controller.get());
    EXPECT_EQ(BZController::sharedStream(), controller->stream());
    EXPECT_EQ(window.screen().rootViewController(), navigation);
    EXPECT_EQ(controller->rootController(), navigation);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(alerts.alerts.empty());
}

TEST_F(BZControllerTest, WithoutTheInformationKeyPlaysOnlyYetKeepsTheMicrophonePath) {
    launch(1, nullptr);
    EXPECT_EQ(QVAudioSession::session()->category(), QVAudioSession::kCategoryMediaPlayback);
    ASSERT_NE(controller->stream(), nullptr);
    EXPECT_NE(controller->stream()->mixer(), nullptr);
}

TEST_F(BZControllerTest, WithoutAMicrophoneTheInputScreenHearsNothing) {
    launch(0);
    EXPECT_EQ(QVAudioSession::session()->category(), QVAudioSession::kCategoryMediaPlayback);
    ASSERT_NE(controller->stream(), nullptr);
    EXPECT_EQ(controller->stream()->mixer(), nullptr);
    auto listening = std::make_unique<ListeningScreen>();
    ListeningScreen* screen = listening.get();
    navigation->pushViewController(std::move(listening), false);
    controller->applicationDidBecomeActive();
    pump(0.5f);
    EXPECT_EQ(screen->inputs.load(), 0);
}

TEST_F(BZControllerTest, AStreamThatCannotBeBuiltIsAlertedOnceAndTheInterfaceStillComes) {
    HostFaults::failCall(HostCall::NewGraph, 1, -50);
    launch(1);
    EXPECT_EQ(controller->stream(), nullptr);
    EXPECT_EQ(BZController::sharedStream(), nullptr);
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_NE(alerts.alerts[0].message.find("failed because"), std::string::npos);
    EXPECT_EQ(window.screen().rootViewController(), navigation);
    EXPECT_TRUE(window.isVisible());

    // Every later step of the life cycle does nothing, and no audio reaches any screen.
    auto tone = std::make_unique<ToneScreen>();
    ToneScreen* screen = tone.get();
    navigation->pushViewController(std::move(tone), false);
    BZLifeCycle lifeCycle(*controller);
    lifeCycle.start(window.windowHandle());
    lifeCycle.windowVisibilityChanged(QWindow::Minimized);
    lifeCycle.windowVisibilityChanged(QWindow::Windowed);
    navigation->popViewController(false);
    lifeCycle.applicationWillQuit();
    EXPECT_FALSE(device->isRunning());
    EXPECT_EQ(screen->renders.load(), 0);
    EXPECT_EQ(alerts.alerts.size(), 1u);
}

TEST_F(BZControllerTest, AudioGoesToTheTopScreenOnlyAndSilenceWithoutARenderer) {
    launch(1);
    controller->applicationDidBecomeActive();
    EXPECT_EQ(pump(), 0.0f); // the plain home screen is silent

    auto low = std::make_unique<ToneScreen>(1000);
    ToneScreen* lowScreen = low.get();
    navigation->pushViewController(std::move(low), false);
    EXPECT_NEAR(pump() * 32768.0f, 1000.0f, 1.0f);
    EXPECT_EQ(lowScreen->renders.load(), 1);

    auto high = std::make_unique<ToneScreen>(3000);
    ToneScreen* highScreen = high.get();
    navigation->pushViewController(std::move(high), false);
    EXPECT_NEAR(pump() * 32768.0f, 3000.0f, 1.0f);
    EXPECT_EQ(lowScreen->renders.load(), 1);
    EXPECT_EQ(highScreen->renders.load(), 1);

    // A top screen without a render operation: silence, answered as such.
    navigation->pushViewController(std::make_unique<ListeningScreen>(), false);
    EXPECT_EQ(pump(), 0.0f);
    auto buffer = QVAudioBuffer::bufferWithChannels(2, 16);
    EXPECT_FALSE(controller->renderAudioToBuffer(*buffer, QVAudioTimeStamp()));
    EXPECT_EQ(highScreen->renders.load(), 1);

    // Back down the stack, the screen below plays again.
    navigation->popViewController(false);
    navigation->popViewController(false);
    EXPECT_NEAR(pump() * 32768.0f, 1000.0f, 1.0f);
    EXPECT_EQ(lowScreen->renders.load(), 2);
}

TEST_F(BZControllerTest, TheMicrophoneReachesOnlyATopScreenThatListens) {
    launch(1);
    controller->applicationDidBecomeActive();
    auto listening = std::make_unique<ListeningScreen>();
    ListeningScreen* listener = listening.get();
    navigation->pushViewController(std::move(listening), false);
    pump(0.5f);
    EXPECT_EQ(listener->inputs.load(), 1);
    EXPECT_EQ(listener->lastSample.load(), 16384);

    navigation->pushViewController(std::make_unique<ToneScreen>(), false);
    pump(0.5f);
    EXPECT_EQ(listener->inputs.load(), 1);
}

TEST_F(BZControllerTest, ARootThatIsNoNavigationStackIsItselfTheTarget) {
    auto tone = std::make_unique<ToneScreen>(2000);
    ToneScreen* screen = tone.get();
    launch(1, "<true/>", std::move(tone));
    EXPECT_EQ(controller->frontmostScreen(), screen);
    controller->applicationDidBecomeActive();
    EXPECT_NEAR(pump() * 32768.0f, 2000.0f, 1.0f);

    // A new root takes over; the old one is gone and never called again.
    controller->setRootController(std::make_unique<ListeningScreen>());
    EXPECT_EQ(pump(), 0.0f);
}

TEST_F(BZControllerTest, APoppedScreenIsNeverCalledAgainAndIsDeletedAfterwards) {
    launch(1);
    controller->applicationDidBecomeActive();
    auto tone = std::make_unique<ToneScreen>();
    QPointer<ToneScreen> screen = tone.get();
    navigation->pushViewController(std::move(tone), true);
    pump();
    EXPECT_EQ(screen->renders.load(), 1);
    navigation->popViewController(true);
    pump();
    pump();
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->renders.load(), 1);
    EXPECT_TRUE(waitUntil([&] { return screen.isNull(); }));
    EXPECT_EQ(pump(), 0.0f);
}

TEST_F(BZControllerTest, TheStreamRunsWhileTheWindowIsOnScreenAndTheMachineAwake) {
    launch(1);
    QVAudioStream* stream = controller->stream();
    ASSERT_NE(stream, nullptr);
    BZLifeCycle lifeCycle(*controller);
    lifeCycle.start(window.windowHandle());
    EXPECT_TRUE(stream->isRunning());
    // The window itself going and coming.
    window.showMinimized();
    EXPECT_TRUE(waitUntil([&] { return !stream->isRunning(); }));
    window.showNormal();
    EXPECT_TRUE(waitUntil([&] { return stream->isRunning(); }));

    lifeCycle.windowVisibilityChanged(QWindow::Minimized);
    EXPECT_FALSE(stream->isRunning());
    lifeCycle.windowVisibilityChanged(QWindow::Maximized);
    EXPECT_TRUE(stream->isRunning());
    lifeCycle.prepareForSleep(true);
    EXPECT_FALSE(stream->isRunning());
    lifeCycle.windowVisibilityChanged(QWindow::Windowed); // shown, but still asleep
    EXPECT_FALSE(stream->isRunning());
    lifeCycle.prepareForSleep(false);
    EXPECT_TRUE(stream->isRunning());

    lifeCycle.applicationWillQuit();
    EXPECT_EQ(controller->stream(), nullptr);
    EXPECT_FALSE(device->isRunning());
    lifeCycle.windowVisibilityChanged(QWindow::Windowed);
    EXPECT_EQ(controller->stream(), nullptr);
    EXPECT_TRUE(alerts.alerts.empty());
}

TEST_F(BZControllerTest, LogsEachBurstOfDropoutsOnceWhileActive) {
    launch(1);
    controller->applicationDidBecomeActive();
    LogCapture log;
    controller->logXruns(); // the first look only notes where the counts stand
    device->countUnderrun();
    device->countUnderrun();
    controller->logXruns();
    device->countOverrun();
    controller->logXruns();
    EXPECT_TRUE(log.lines().empty()) << "a burst is reported once it is over";
    controller->logXruns();
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_NE(log.lines()[0].find("2 underruns and 1 overrun"), std::string::npos)
        << log.lines()[0];
    controller->logXruns();
    device->countUnderrun();
    controller->logXruns();
    // Going inactive ends the burst under way.
    controller->applicationWillResignActive();
    ASSERT_EQ(log.lines().size(), 2u);
    EXPECT_NE(log.lines()[1].find("1 underrun and 0 overruns"), std::string::npos)
        << log.lines()[1];
}

// The sound card goes away while playing: the stream stops with one message, the interface
// stays, and the next activation goes on with the virtual device when the card cannot start.
TEST_F(BZControllerTest, ACardThatVanishesStopsTheStreamAndTheNextActivationGoesOnWithout) {
    launch(1);
    controller->applicationDidBecomeActive();
    QVAudioStream* stream = controller->stream();
    ASSERT_TRUE(stream && stream->isRunning());
    device->fail(-9999, "the card was unplugged");
    fretkit::MainThread::defaultQueue().pump();
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_FALSE(stream->isRunning());
    EXPECT_TRUE(window.isVisible());
    EXPECT_NE(alerts.alerts[0].message.find("the card was unplugged"), std::string::npos);

    controller->applicationWillResignActive();
    HostFaults::failCall(HostCall::DeviceStart, 1, -9985);
    controller->applicationDidBecomeActive();
    EXPECT_TRUE(stream->isRunning());
    EXPECT_EQ(AudioDeviceLayer::current().driverName(), "virtual");
    controller->applicationWillResignActive();
    controller->applicationDidBecomeActive();
    EXPECT_TRUE(stream->isRunning());
    EXPECT_EQ(alerts.alerts.size(), 1u);
}
