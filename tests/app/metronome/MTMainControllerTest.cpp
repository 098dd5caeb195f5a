#include "MTMainController.h"

#include "MTMainButton.h"
#include "MTTempoEditor.h"
#include "MTTempoEditorTitlePicker.h"
#include "app/AnimationClock.h"
#include "app/ShellTestSupport.h"
#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioTimeStamp.h"
#include "foundation/Bundle.h"
#include "foundation/ManualTimerScheduler.h"
#include "foundation/UserDefaults.h"
#include "kit/QVListEditor.h"
#include "kit/QVTableView.h"
#include "kit/QVTableViewCell.h"
#include "metronome/MTSettings.h"
#include "shell/BZController.h"
#include "shell/BZSettingsController.h"
#include "support/AudioTestSupport.h"
#include "support/LogCapture.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/PhoneScreen.h"
#include "ui/ScreenWindow.h"

#include <QKeyEvent>
#include <QLabel>
#include <ctime>
#include <gtest/gtest.h>

using fretkit::UserDefaults;

using namespace fretkit::host;

namespace {

// The settings the tests start from, written before the screen reads them.
struct Settings {
    explicit Settings(std::int64_t beatsPerMinute = 120, std::int64_t signature = 0,
                      bool flash = false)
        : tempo(beatsPerMinute), timeSignature(signature), flashOnBar(flash) {}
    std::int64_t tempo;
    std::int64_t timeSignature;
    bool flashOnBar;
    std::int64_t movementStyle = 3; // linear: the cursor's place tells the time
    std::string sound;              // empty: the default
};

void store(const Settings& settings) {
    UserDefaults& defaults = (shellApplication(), UserDefaults::standard());
    defaults.setInteger(settings.tempo, MTSettings::kTempoKey);
    defaults.setInteger(settings.timeSignature, MTSettings::kTimeSignatureKey);
    defaults.setBool(settings.flashOnBar, MTSettings::kFlashOnBarKey);
    defaults.setInteger(settings.movementStyle, MTSettings::kMovementStyleKey);
    if (settings.sound.empty()) {
        defaults.removeObjectForKey(MTSettings::kSoundNameKey);
    } else {
        defaults.setString(settings.sound, MTSettings::kSoundNameKey);
    }
}

std::vector<std::int16_t> click(const char* name, float gain) {
    std::vector<std::int16_t> samples =
        MTSettings::loadClick(fretkit::Bundle::main(), name, nullptr)
            .value_or(std::vector<std::int16_t>());
    for (std::int16_t& sample : samples) {
        sample = static_cast<std::int16_t>(std::round(static_cast<float>(sample) * gain));
    }
    return samples;
}

// The metronome pushed on a navigation stack in a phone screen, its timers on a clock the test
// moves and its animations on a clock the test advances. The test plays the audio thread: it
// calls the screen's render itself.
struct Metronome {
    explicit Metronome(const Settings& settings = Settings()) {
        store(settings);
        timers.advanceTo(100.0);
        auto stack = std::make_unique<NavigationController>(std::make_unique<ViewController>());
        navigation = stack.get();
        phone.setRootViewController(std::move(stack));
        auto metronome = std::make_unique<MTMainController>(&timers);
        screen = metronome.get();
        navigation->pushViewController(std::move(metronome), false);
        phone.show();
    }

    // A press and release at the widget's centre, delivered to whatever the phone screen has
    // under that point.
    void tap(QWidget* widget) {
        const QPoint at = widget->mapTo(&phone, widget->rect().center());
        QWidget* target = phone.childAt(at);
        ASSERT_NE(target, nullptr);
        ::click(target, target->mapFrom(&phone, at));
    }
    void key(int key) {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, Qt::NoModifier);
            QApplication::sendEvent(screen->view(), &event);
        }
    }
    // One buffer rendered as the audio thread does; dated when `hostSeconds` is given.
    std::vector<std::int16_t> render(std::uint32_t frames, double hostSeconds = 0.0) {
        auto buffer = QVAudioBuffer::bufferWithChannels(2, frames);
        AudioTimeStamp stamp{};
        if (hostSeconds > 0.0) {
            stamp.mFlags = kAudioTimeStampHostTimeValid;
            stamp.mHostTime = static_cast<std::uint64_t>(hostSeconds * 1e9);
        }
        EXPECT_TRUE(screen->renderAudioToBuffer(*buffer, QVAudioTimeStamp(stamp)));
        return {buffer->channel(0), buffer->channel(0) + frames};
    }
    void runFor(double seconds) { timers.advanceTo(timers.now() + seconds); }
    // Renders buffers until the screen animates the next beat (the display looks after each).
    void nextBeat() {
        const int before = screen->animationCount();
        for (int i = 0; i < 200 && screen->animationCount() == before; ++i) {
            render(512);
            runFor(MTMainController::kPollInterval);
        }
        ASSERT_EQ(screen->animationCount(), before + 1);
    }
    QPointF cursor() const { return QRectF(screen->cursorView()->geometry()).center(); }

    QApplication& application = shellApplication();
    AnimationClock clock;
    fretkit::ManualTimerScheduler timers;
    PhoneScreen phone;
    NavigationController* navigation = nullptr;
    MTMainController* screen = nullptr;
};

double hostSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

} // namespace

TEST(MTMainController, StartSwingsFromTheLeftEdgeAndStopReturnsToTheCentreIn10ms) {
    Metronome m;
    EXPECT_EQ(m.screen->tempoLabel()->text(), "120");
    EXPECT_NEAR(m.cursor().x(), 160.5, 1.0);
    m.tap(m.screen->startStopButton());
    EXPECT_TRUE(m.screen->isPlaying());
    EXPECT_TRUE(m.screen->startStopButton()->isSelected());
    EXPECT_EQ(m.screen->startStopButton()->currentTitle(), "Stop");
    EXPECT_NEAR(m.cursor().x(), 0.5, 1.0);
    EXPECT_NEAR(m.cursor().y(), MTMainController::kTrackY, 1.0);

    m.nextBeat(); // beat 0: the left side flashes and the cursor leaves for the right
    EXPECT_EQ(View::alpha(m.screen->leftBurstView()), 1.0);
    EXPECT_EQ(View::alpha(m.screen->rightBurstView()), 0.0);
    m.clock.advance(0.25); // half a beat of the linear swing
    EXPECT_NEAR(m.cursor().x(), 160.0, 12.0);
    EXPECT_LT(View::alpha(m.screen->leftBurstView()), 0.5);

    m.tap(m.screen->startStopButton());
    EXPECT_FALSE(m.screen->isPlaying());
    EXPECT_EQ(m.screen->startStopButton()->currentTitle(), "Start");
    // Qt starts an animation's time on the first frame after it is committed: two frames.
    m.clock.advance(0.032);
    EXPECT_NEAR(m.cursor().x(), 160.5, 1.0);
    m.clock.advance(1.0); // the swing was taken over and ends nowhere else
    EXPECT_NEAR(m.cursor().x(), 160.5, 1.0);
}

TEST(MTMainController, EveryBeatIsAnimatedOnceAndABeatPlacedBeforeTheStopIsNotShown) {
    Metronome m(Settings(280));
    m.tap(m.screen->startStopButton());
    for (int beat = 0; beat < 6; ++beat) {
        m.nextBeat();
        // The cursor heads for the edge the beat's polarity names: right, left, right...
        m.clock.advance(60.0 / 280.0 + 0.05); // the swing lasts one beat
        EXPECT_NEAR(m.cursor().x(), beat % 2 == 0 ? 320.5 : 0.5, 1.0) << beat;
    }
    EXPECT_EQ(m.screen->animationCount(), 6);
    for (int i = 0; i < 20; ++i) {
        m.render(512); // beat 6 is placed, not yet looked for
    }
    m.tap(m.screen->startStopButton());
    m.runFor(1.0);
    EXPECT_EQ(m.screen->animationCount(), 6);
}

TEST(MTMainController, TheBarFlashesOnlyWithATimeSignatureAndTheSwitchOn) {
    const struct {
        Settings settings;
        std::vector<bool> flashes; // beats 0-5
    } cases[] = {
        {Settings(280, 4, true), {true, false, false, false, true, false}},
        {Settings(280, 0, true), {false, false, false, false, false, false}},
        {Settings(280, 4, false), {false, false, false, false, false, false}},
    };
    for (const auto& c : cases) {
        Metronome m(c.settings);
        m.tap(m.screen->startStopButton());
        std::vector<bool> flashes;
        for (int beat = 0; beat < 6; ++beat) {
            m.nextBeat();
            flashes.push_back(View::alpha(m.screen->burstView()) > 0.99);
            m.clock.advance(0.6); // every flash is over before the next beat
        }
        EXPECT_EQ(flashes, c.flashes) << c.settings.timeSignature << c.settings.flashOnBar;
    }
}

TEST(MTMainController, TapsSetTheTempoThroughTheEditorAndAPauseStartsANewSeries) {
    Metronome m(Settings(90));
    const auto tapAt = [&m](double time) {
        m.timers.advanceTo(time);
        m.tap(m.screen->tapButton());
    };
    tapAt(200.0);
    tapAt(200.5);
    EXPECT_EQ(m.screen->tempo(), 120u);
    tapAt(201.0);
    EXPECT_EQ(m.screen->tempo(), 120u);
    EXPECT_EQ(m.screen->tempoLabel()->text(), "120");
    EXPECT_EQ(m.screen->tempoEditor()->tempo(), 120u);
    EXPECT_EQ(UserDefaults::standard().integerForKey(MTSettings::kTempoKey), 120);

    tapAt(203.0); // two seconds later: the first of a new series
    EXPECT_EQ(m.screen->tempo(), 120u);
    tapAt(203.25);
    EXPECT_EQ(m.screen->tempo(), 240u);

    tapAt(210.0);
    tapAt(210.1); // 600 per minute
    EXPECT_EQ(m.screen->tempo(), 280u);
}

TEST(MTMainController, StepButtonsAndKeysStopAtTheEndsOfTheRange) {
    Metronome m(Settings(279));
    m.tap(m.screen->incrementButton());
    EXPECT_EQ(m.screen->tempoLabel()->text(), "280");
    m.tap(m.screen->incrementButton());
    m.key(Qt::Key_Plus);
    EXPECT_EQ(m.screen->tempo(), 280u);
    EXPECT_EQ(m.screen->tempoEditor()->tempo(), 280u);

    m.screen->tempoEditor()->setTempo(41);
    m.key(Qt::Key_Down);
    EXPECT_EQ(m.screen->tempoLabel()->text(), "40");
    m.tap(m.screen->decrementButton());
    m.key(Qt::Key_Minus);
    EXPECT_EQ(m.screen->tempo(), 40u);
    EXPECT_EQ(UserDefaults::standard().integerForKey(MTSettings::kTempoKey), 40);
    m.key(Qt::Key_Up);
    EXPECT_EQ(m.screen->tempo(), 41u);

    m.key(Qt::Key_Space);
    EXPECT_TRUE(m.screen->isPlaying());
    m.timers.advanceTo(300.0);
    m.key(Qt::Key_T);
    m.timers.advanceTo(300.75);
    m.key(Qt::Key_T);
    EXPECT_EQ(m.screen->tempo(), 80u);
    m.key(Qt::Key_Space);
    EXPECT_FALSE(m.screen->isPlaying());
}

TEST(MTMainController, ASoundChosenWhilePlayingCutsTheClickAndSoundsFromTheNextBeat) {
    Metronome m(Settings(280));
    const std::vector<std::int16_t> blip = click("Blip", 0.25f);
    const std::vector<std::int16_t> woodblock = click("Woodblock", 0.25f);
    ASSERT_GT(blip.size(), 1024u);
    ASSERT_FALSE(woodblock.empty());
    m.tap(m.screen->startStopButton());
    const std::vector<std::int16_t> head = m.render(512);
    EXPECT_TRUE(std::equal(head.begin(), head.end(), blip.begin()));

    // Settings, Click Sound, Woodblock, as the user chooses them; the metronome plays on.
    NavigationBar& bar = *m.navigation->navigationBar();
    ::click(&bar, bar.rightButtonRect().center());
    m.clock.advance(0.6);
    NavigationController* settings = m.screen->settingsNavigationController();
    ASSERT_NE(settings, nullptr);
    QVTableView& table =
        *static_cast<BZSettingsController*>(settings->viewControllers().front().get())->tableView();
    QVTableViewCell* row = table.cellAt({0, 1});
    ASSERT_EQ(row->key(), MTSettings::kSoundNameKey);
    ::click(row, row->rect().center());
    m.clock.advance(0.6);
    auto* list = dynamic_cast<QVListEditor*>(settings->topViewController());
    ASSERT_NE(list, nullptr);
    TableViewCell* choice = list->tableView()->cellForRow({0, 1});
    ::click(choice, choice->rect().center());
    EXPECT_EQ(UserDefaults::standard().stringForKey(MTSettings::kSoundNameKey), "Woodblock");

    // The rest of the blip is gone; beat 1, 9450 frames in, is the woodblock.
    std::vector<std::int16_t> rest;
    for (int i = 0; i < 20; ++i) {
        const std::vector<std::int16_t> out = m.render(512);
        rest.insert(rest.end(), out.begin(), out.end());
    }
    const auto beat1 = rest.begin() + (9450 - 512);
    EXPECT_TRUE(std::all_of(rest.begin(), beat1, [](std::int16_t s) { return s == 0; }));
    EXPECT_TRUE(std::equal(beat1, beat1 + 256, woodblock.begin()));
}

TEST(MTMainController, AStoredClickTheBundleLacksFallsBackToTheDefaultRatherThanSilence) {
    Settings settings;
    settings.sound = "Theremin";
    LogCapture log;
    Metronome m(settings);
    EXPECT_TRUE(log.contains("Theremin"));
    m.tap(m.screen->startStopButton());
    const std::vector<std::int16_t> out = m.render(64);
    const std::vector<std::int16_t> blip = click("Blip", 0.25f);
    EXPECT_TRUE(std::equal(out.begin(), out.end(), blip.begin()));
}

namespace {

// The offline device, with an output that sounds 50 ms after its buffers are rendered.
class LatentDevice final : public AudioDevice {
public:
    static constexpr double kLatency = 0.05;
    OfflineAudioDevice inner{44100.0, 0, 2};

    std::string driverName() const override { return "latent"; }
    AudioDeviceInfo info() const override { return inner.info(); }
    void setPreferredSampleRate(double rate) override { inner.setPreferredSampleRate(rate); }
    void setPreferredBufferFrames(std::uint32_t frames) override {
        inner.setPreferredBufferFrames(frames);
    }
    OSStatus start(AudioDeviceClient& client) override { return inner.start(client); }
    void stop() override { inner.stop(); }
    bool isRunning() const override { return inner.isRunning(); }
    double renderedOutputLatency() const override { return isRunning() ? kLatency : 0.0; }
};

} // namespace

TEST(MTMainController, TheDisplayWaitsForTheStreamsOutputLatency) {
    shellApplication();
    store(Settings());
    auto device = std::make_unique<LatentDevice>();
    LatentDevice& latent = *device;
    AudioDeviceLayer::install(std::move(device));
    AnimationClock clock;
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

    timers.advanceTo(hostSeconds());
    screen.startStop();
    EXPECT_EQ(screen.outputLatency(), LatentDevice::kLatency);
    std::vector<float> out(2 * 512);
    const double before = hostSeconds();
    ASSERT_TRUE(latent.inner.pump(512, nullptr, out.data())); // beat 0 at the buffer's start
    const double after = hostSeconds();
    EXPECT_GT(*std::max_element(out.begin(), out.end()), 0.0f);
    timers.advanceTo(before + LatentDevice::kLatency - 0.001);
    EXPECT_EQ(screen.animationCount(), 0); // taken from the signal, not heard yet
    timers.advanceTo(after + LatentDevice::kLatency + 0.001);
    EXPECT_EQ(screen.animationCount(), 1);
    const std::optional<QString> footer = screen.footerForSection(1);
    ASSERT_TRUE(footer);
    EXPECT_TRUE(footer->contains(QStringLiteral("needs a time signature")));
    EXPECT_TRUE(footer->contains(QStringLiteral("50 ms"))) << footer->toStdString();
    EXPECT_FALSE(screen.footerForSection(0));
    screen.startStop();
}
