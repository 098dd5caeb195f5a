#pragma once

#include "TNMainController.h"
#include "app/ControllerTestSupport.h"
#include "app/ShellTestSupport.h"
#include "audio/QVAudioStream.h"
#include "foundation/Bundle.h"
#include "foundation/ManualTimerScheduler.h"
#include "shell/BZController.h"
#include "support/AudioTestSupport.h"
#include "ui/NavigationController.h"
#include "ui/QtMainThreadDispatcher.h"
#include "ui/ScreenWindow.h"
#include "ui/TabBar.h"

#include <QKeyEvent>
#include <QLabel>
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

// The tuner screen as the app shows it: pushed onto a navigation stack in the window, hearing
// the microphone of an offline device through the application delegate, its timers on a clock
// the test moves. Cycles run on the calling thread, unless a test runs them on a thread of its
// own; results reach the screen through the Qt event loop.
class TunerOnScreen {
public:
    explicit TunerOnScreen(std::uint32_t microphones = 1)
        : device_(installOfflineDevice(44100.0, microphones, 2)) {
        previousDispatcher_ = fretkit::MainThread::install(&dispatcher_);
        controller_.applicationDidFinishLaunching(
            std::make_unique<NavigationController>(std::make_unique<ViewController>()));
        controller_.applicationDidBecomeActive();
        navigation = qobject_cast<NavigationController*>(controller_.rootController());
        auto screen = std::make_unique<TNMainController>(&clock);
        tuner = screen.get();
        navigation->pushViewController(std::move(screen), false);
        window.show();
        EXPECT_TRUE(waitUntil([this] { return tuner->isVisible(); }));
    }
    ~TunerOnScreen() {
        controller_.applicationWillTerminate();
        fretkit::MainThread::install(previousDispatcher_);
    }
    TunerOnScreen(const TunerOnScreen&) = delete;
    TunerOnScreen& operator=(const TunerOnScreen&) = delete;

    fretkit::host::OfflineAudioDevice& device() { return device_; }

    // The samples through the microphone, `frames` to a cycle.
    void hear(const std::vector<std::int16_t>& samples, std::uint32_t frames = 512) {
        std::vector<float> cycle;
        for (std::size_t start = 0; start < samples.size(); start += frames) {
            const std::size_t count = std::min<std::size_t>(frames, samples.size() - start);
            cycle.assign(count, 0.0f);
            for (std::size_t i = 0; i < count; ++i) {
                cycle[i] = static_cast<float>(samples[start + i]) / 32768.0f;
            }
            device_.pump(static_cast<std::uint32_t>(count), cycle.data());
        }
    }
    void advance(double seconds) { clock.advanceTo(clock.now() + seconds); }
    // A key as the window delivers it: to the focus widget, else to the window.
    void key(int key) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, Qt::NoModifier);
            QApplication::sendEvent(target, &event);
        }
    }
    void tapTab(int tag) {
        TabBar* tabs = tuner->tabBar();
        click(tabs, tabs->tabRect(tag).center());
    }
    // Opens the settings with the gear and waits until they cover the tuner; null when they do
    // not open.
    NavigationController* openSettings() {
        NavigationBar* bar = navigation->navigationBar();
        click(bar, bar->rightButtonRect().center());
        NavigationController* settings = tuner->settingsNavigationController();
        EXPECT_TRUE(settings && waitUntil([this] { return !tuner->isVisible(); }));
        return settings;
    }
    // Closes them with Done and waits until the tuner is back in view.
    void closeSettings(NavigationController& settings) {
        click(settings.navigationBar(), settings.navigationBar()->rightButtonRect().center());
        EXPECT_TRUE(waitUntil([this] { return tuner->isVisible(); }));
    }
    QString note() const { return tuner->auxNoteLabel()->text(); }
    QString cents() const { return tuner->centsLabel()->text(); }

    QApplication& application = shellApplication();
    fretkit::ManualTimerScheduler clock;
    ScreenWindow window{1};
    NavigationController* navigation = nullptr;
    TNMainController* tuner = nullptr;

private:
    AlertRecorder alerts_;
    TempDir dir_;
    fretkit::host::OfflineAudioDevice& device_;
    QtMainThreadDispatcher dispatcher_;
    fretkit::MainThreadDispatcher* previousDispatcher_ = nullptr;
    fretkit::Bundle bundle_{writeInfoBundle(dir_, "<true/>")};
    BZController controller_{window, bundle_};
};
