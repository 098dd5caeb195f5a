#include "TNLED.h"
#include "TNNeedleView.h"
#include "TNStrobeView.h"
#include "TunerTestSupport.h"
#include "foundation/UserDefaults.h"
#include "kit/QVListEditor.h"
#include "kit/QVTableView.h"
#include "kit/QVTableViewCell.h"
#include "shell/BZSettingsController.h"
#include "tuner/TNEstimateSmoother.h"
#include "ui/TableViewCell.h"

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>

using fretkit::PlistValue;
using fretkit::UserDefaults;

namespace {

// Allocations made on a thread while it counts them. The sanitizers bring allocators of their
// own, which a replacement would have to match in every form: there the count is not taken.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kCountsAllocations = false;
#else
constexpr bool kCountsAllocations = true;
#endif
thread_local bool countingAllocations = false;
std::atomic<int> allocations{0};

} // namespace

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
void* operator new(std::size_t size) {
    if (countingAllocations) {
        allocations.fetch_add(1);
    }
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
    }
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
#endif

namespace {

double hertz(double semitone, double reference = 440.0) {
    return reference * std::exp2((semitone - 69.0) / 12.0);
}

// Estimates as the engine turns them into what the screen shows: smoothed, and a note made
// against the tuning of the stored settings.
class Estimates {
public:
    explicit Estimates(TNMainController& tuner) : tuner_(tuner) {}
    void operator()(double frequency, double quality = 0.9) {
        const TNTunerEngine& engine = *tuner_.engine();
        if (smoother_.add(frequency, quality, engine.reference()) ==
            TNEstimateSmoother::Outcome::Accepted) {
            tuner_.input(TNNote::make(smoother_.smoothedSemitone(),
                                      engine.tunings().at(engine.tuningIndex()), engine.detune()));
        } else {
            tuner_.input(std::nullopt);
        }
    }

private:
    TNMainController& tuner_;
    TNEstimateSmoother smoother_;
};

std::vector<std::int16_t> sine(double frequency, std::size_t frames) {
    std::vector<std::int16_t> wave(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        wave[i] = static_cast<std::int16_t>(std::lround(
            12000.0 * std::sin(2.0 * M_PI * frequency * static_cast<double>(i) / 44100.0)));
    }
    return wave;
}

std::vector<std::int16_t> squareWave(int level, std::size_t frames) {
    std::vector<std::int16_t> wave(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        wave[i] = static_cast<std::int16_t>(i % 2 == 0 ? level : -level);
    }
    return wave;
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
    // Runs the event loop until the widget has gone a tenth of a second without a paint: the
    // window's own first paints are over.
    void settle() const {
        for (int seen = -1; seen != paints;) {
            seen = paints;
            QTest::qWait(100);
        }
    }
    int paints = 0;
};

class TunerScreen : public ::testing::Test {
protected:
    void SetUp() override {
        UserDefaults& defaults = (shellApplication(), UserDefaults::standard());
        for (const char* key : {"TN_tuning", "TN_detune", "TN_reference"}) {
            defaults.removeObjectForKey(key);
        }
    }
};

} // namespace

TEST_F(TunerScreen, LabelsShowTheNoteOctaveAndCents) {
    TunerOnScreen screen;
    EXPECT_FALSE(screen.tuner->messageLabel()->isVisible()); // it has a microphone
    EXPECT_EQ(screen.note(), "--");
    EXPECT_EQ(screen.cents(), "--");
    Estimates estimate(*screen.tuner);
    estimate(440.0);
    EXPECT_EQ(screen.note(), "A4");
    EXPECT_EQ(screen.cents(), "+0.0 c");

    // After a poor estimate: the first good one as it is, the next averaged with it; a new
    // note shows at once.
    estimate(440.0, 0.5);
    estimate(hertz(69.2));
    EXPECT_EQ(screen.cents(), "+20.0 c");
    estimate(hertz(69.4));
    EXPECT_EQ(screen.cents(), "+30.0 c");
    estimate(hertz(70.1));
    EXPECT_EQ(screen.note(), "A#4");
    EXPECT_EQ(screen.cents(), "+10.0 c");
    EXPECT_EQ(screen.tuner->strobeView()->letterImage(), "TNStrobe_A");
    EXPECT_TRUE(screen.tuner->strobeView()->isSharpShown());

    // A poor estimate shows the empty state; the next good one is taken as it is.
    estimate(440.0, 0.5);
    EXPECT_EQ(screen.note(), "--");
    EXPECT_EQ(screen.cents(), "--");
    EXPECT_TRUE(screen.tuner->strobeView()->letterImage().isEmpty());
    EXPECT_FALSE(screen.tuner->strobeView()->isSharpShown());
    estimate(hertz(69.3), 0.7);
    EXPECT_EQ(screen.cents(), "+30.0 c");
}

TEST_F(TunerScreen, TheReferenceAndTheTuningChangeWhatIsShown) {
    UserDefaults::standard().setDouble(442.0, "TN_reference");
    {
        TunerOnScreen screen;
        Estimates (*screen.tuner)(440.0);
        EXPECT_EQ(screen.cents(), "-7.9 c");
    }
    // Under a tuning: the string's number on the display, the chromatic note in the label, the
    // cents from the string; between two strings nothing.
    UserDefaults::standard().setDouble(440.0, "TN_reference");
    UserDefaults::standard().setInteger(1, "TN_tuning");
    TunerOnScreen screen;
    Estimates standard(*screen.tuner);
    standard(hertz(40.03));
    EXPECT_EQ(screen.note(), "E2");
    EXPECT_EQ(screen.cents(), "+3.0 c");
    EXPECT_EQ(screen.tuner->strobeView()->letterImage(), "TNStrobe_6");
    standard(hertz(47.5));
    EXPECT_EQ(screen.note(), "--");
    EXPECT_EQ(screen.cents(), "--");
}

TEST_F(TunerScreen, TheShownDisplayMovesOnItsOwnTimerAndATabSwitchesOnce) {
    TunerOnScreen screen;
    TNStrobeView& strobe = *screen.tuner->strobeView();
    TNNeedleView& needle = *screen.tuner->needleView();
    const TNTunings& tunings = screen.tuner->engine()->tunings();
    screen.tuner->input(TNNote::make(69.02, tunings.at(0), 0));
    screen.advance(1.0 / 30.0);
    EXPECT_EQ(strobe.ringImage(), "TNStrobe_ring_green");
    screen.tuner->input(TNNote::make(68.96, tunings.at(0), 0));
    screen.advance(1.0 / 30.0);
    EXPECT_EQ(strobe.ringImage(), "TNStrobe_ring_blue");
    EXPECT_FALSE(needle.isRunning());

    screen.tapTab(TNMainController::kNeedleTag);
    EXPECT_FALSE(screen.tuner->isStrobeShown());
    EXPECT_FALSE(strobe.isRunning());
    EXPECT_TRUE(needle.isRunning());
    const float angle = strobe.motion().rotation();
    screen.tuner->input(TNNote::make(69.25, tunings.at(0), 0));
    EXPECT_FLOAT_EQ(needle.motion().resultDeflection(), 26.45f);
    screen.advance(1.0 / 60.0);
    const float swung = needle.motion().deflection();
    EXPECT_GT(swung, -51.5f);
    EXPECT_EQ(strobe.motion().rotation(), angle); // the hidden strobe stands still

    // Chosen again, by tab or key: nothing changes, the needle goes on from where it is.
    screen.tapTab(TNMainController::kNeedleTag);
    screen.key(Qt::Key_N);
    EXPECT_EQ(needle.motion().deflection(), swung);
    EXPECT_EQ(screen.clock.activeCount(), 2u); // the needle's timer and the lamps'
    screen.advance(2.0);
    EXPECT_NEAR(needle.motion().deflection(), 26.45f, 0.01f);

    // Half a semitone from a string: the end of the scale. Then silence: it falls left.
    screen.tuner->input(TNNote::make(45.5, tunings.at(1), 0));
    EXPECT_FLOAT_EQ(needle.motion().resultDeflection(), 51.5f);
    EXPECT_EQ(needle.letterImage(), "TNNeedle_5");
    EXPECT_EQ(needle.rightArrowImage(), "TNNeedle_right_arrow_on");
    EXPECT_EQ(needle.leftArrowImage(), "TNNeedle_left_arrow_off");
    screen.tuner->input(std::nullopt);
    screen.advance(2.0);
    EXPECT_NEAR(needle.motion().deflection(), -51.5f, 0.05f);

    // Back to the strobe by key: it takes up the notes and turns gray on silence.
    screen.key(Qt::Key_S);
    EXPECT_EQ(screen.tuner->tabBar()->currentIndex(), TNMainController::kStrobeTag);
    EXPECT_TRUE(strobe.isRunning());
    EXPECT_FALSE(needle.isRunning());
    screen.advance(1.0 / 30.0);
    EXPECT_EQ(strobe.ringImage(), "TNStrobe_ring_gray");
}

TEST_F(TunerScreen, LampsFollowTheInputLevelAndRedrawOnlyWhenTheyChange) {
    TunerOnScreen screen;
    TNLED& quietest = *screen.tuner->levelLED(4);
    PaintCounter paints(&quietest);
    // 0.01 of full scale is the quietest lamp's threshold: 327 is below it, 328 above.
    screen.hear(squareWave(327, 512));
    screen.advance(1.0 / 30.0);
    EXPECT_FALSE(quietest.isOn());
    screen.hear(squareWave(328, 512));
    screen.advance(1.0 / 30.0);
    EXPECT_TRUE(quietest.isOn());
    EXPECT_FALSE(screen.tuner->levelLED(3)->isOn());
    paints.settle();
    const int painted = paints.paints;
    EXPECT_GE(painted, 1);
    for (int i = 0; i < 5; ++i) {
        screen.hear(squareWave(330 + i, 512));
        screen.advance(1.0 / 30.0);
        QApplication::processEvents();
    }
    EXPECT_EQ(paints.paints, painted);
    screen.hear(squareWave(20000, 512));
    screen.advance(1.0 / 30.0);
    for (int lamp = 1; lamp <= 4; ++lamp) {
        EXPECT_TRUE(screen.tuner->levelLED(lamp)->isOn()) << lamp;
    }
}

TEST_F(TunerScreen, TheInputPathAllocatesNothingOnceItsBufferIsSized) {
    if (!kCountsAllocations) {
        GTEST_SKIP() << "allocations are counted without the sanitizers";
    }
    TunerOnScreen screen;
    std::vector<float> loud(512);
    std::vector<float> quiet(512);
    for (std::size_t i = 0; i < loud.size(); ++i) {
        loud[i] = i % 2 == 0 ? 0.5f : -0.5f;
        quiet[i] = i % 2 == 0 ? 0.001f : -0.001f;
    }
    screen.device().pump(512, loud.data()); // the first buffer of a size sizes the conversion
    countingAllocations = true;
    for (int i = 0; i < 20; ++i) {
        screen.device().pump(512, (i % 2 == 0 ? quiet : loud).data());
    }
    countingAllocations = false;
    EXPECT_EQ(allocations.load(), 0);
    screen.advance(1.0 / 30.0);
    EXPECT_TRUE(screen.tuner->levelLED(1)->isOn()); // the lamps did change
}

TEST_F(TunerScreen, BuffersOfChangingSizesAreHeardCompletely) {
    TunerOnScreen screen;
    const std::vector<std::int16_t> g3 = sine(hertz(55.0), 44100);
    // Only one pass, over the whole input: the thread's passes over part of it would be
    // smoothed into the reading shown.
    screen.tuner->engine()->stopAnalysis();
    // A dropped or repeated sample anywhere in the frame would break the period.
    for (std::size_t start = 0, i = 0; start < g3.size(); ++i) {
        const std::size_t frames =
            std::min<std::size_t>(i % 2 == 0 ? 512 : 1024, g3.size() - start);
        screen.hear(
            {g3.begin() + static_cast<long>(start), g3.begin() + static_cast<long>(start + frames)},
            static_cast<std::uint32_t>(frames));
        start += frames;
    }
    // The pass's result is shown before the marker posted after it.
    screen.tuner->engine()->analyseOnce();
    bool shown = false;
    fretkit::MainThread::perform([&shown] { shown = true; });
    ASSERT_TRUE(waitUntil([&] { return shown; }));
    EXPECT_EQ(screen.note(), "G3");
    const double cents = screen.cents().chopped(2).toDouble();
    EXPECT_NEAR(cents, 0.0, 0.5);
}

TEST_F(TunerScreen, AnalysisRunsOnlyWhileTheScreenIsInView) {
    UserDefaults::standard().setInteger(1, "TN_tuning");
    TunerOnScreen screen;
    EXPECT_EQ(screen.tuner->modeLabel()->text(), "Standard");
    ASSERT_TRUE(screen.tuner->engine()->isAnalysing());
    EXPECT_EQ(screen.clock.activeCount(), 2u);

    // The settings cover the tuner: no analysis, no timers. Choosing a tuning applies at once.
    NavigationController* settings = screen.openSettings();
    ASSERT_NE(settings, nullptr);
    EXPECT_FALSE(screen.tuner->engine()->isAnalysing());
    EXPECT_EQ(screen.clock.activeCount(), 0u);
    auto* root = static_cast<BZSettingsController*>(settings->viewControllers().front().get());
    QVTableViewCell* tuningRow = root->tableView()->cellAt({0, 0});
    ASSERT_EQ(tuningRow->key(), "TN_tuning");
    EXPECT_EQ(tuningRow->detailTextLabel()->text(), "Standard");
    click(tuningRow, tuningRow->rect().center());
    auto* list = dynamic_cast<QVListEditor*>(settings->topViewController());
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(waitUntil([&] { return list->isVisible(); }));
    EXPECT_EQ(list->list().count(), screen.tuner->engine()->tunings().count());
    EXPECT_EQ(list->list()[0]["text"].stringValue(), "Chromatic");
    EXPECT_FALSE(list->list()[0].contains("detailText"));
    EXPECT_EQ(list->list()[1]["detailText"].stringValue(), "E A D G B E");
    EXPECT_EQ(list->selectedIndex(), 1u);
    TableViewCell* dropD = list->tableView()->cellForRow({0, 4});
    click(dropD, dropD->rect().center());
    EXPECT_EQ(screen.tuner->engine()->tuningIndex(), 4u);

    // Back in view: a new analysis thread, the timers again, the mode label read anew.
    click(settings->navigationBar(), settings->navigationBar()->leftButtonRect().center());
    ASSERT_TRUE(waitUntil([&] { return !settings->isTransitioning(); }));
    screen.closeSettings(*settings);
    EXPECT_TRUE(screen.tuner->engine()->isAnalysing());
    EXPECT_EQ(screen.clock.activeCount(), 2u);
    EXPECT_EQ(screen.tuner->modeLabel()->text(), "Drop D");
}

TEST_F(TunerScreen, AStoredTuningPastTheListFallsBackToChromatic) {
    UserDefaults::standard().setInteger(999, "TN_tuning");
    TunerOnScreen screen;
    EXPECT_EQ(screen.tuner->modeLabel()->text(), "Chromatic");
    QVTableViewCell cell(QStringLiteral("tuning"));
    cell.applyStructure(PlistValue::dictionary({{"key", "TN_tuning"}}));
    EXPECT_EQ(screen.tuner->valueOfCell(cell).stringValue(), "Chromatic");
    Estimates estimate(*screen.tuner);
    estimate(hertz(47.5)); // between strings, but named chromatically
    EXPECT_EQ(screen.note(), "C3");
    EXPECT_EQ(screen.tuner->strobeView()->letterImage(), "TNStrobe_C");
}

TEST_F(TunerScreen, WithoutAMicrophoneItSaysSoOnceAndShowsNothing) {
    TunerOnScreen screen(0);
    EXPECT_TRUE(screen.tuner->messageLabel()->isVisible());
    EXPECT_TRUE(screen.tuner->messageLabel()->text().contains("No microphone"));
    EXPECT_EQ(screen.note(), "--");
    screen.advance(1.0);
    EXPECT_EQ(screen.tuner->strobeView()->ringImage(), "TNStrobe_ring_gray");
    // Going back leaves a working home screen.
    EXPECT_TRUE(screen.navigation->popViewController(false));
    EXPECT_TRUE(waitUntil([&] { return screen.navigation->topViewController()->isVisible(); }));
}
