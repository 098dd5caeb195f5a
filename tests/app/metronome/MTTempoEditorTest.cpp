#include "MTTempoEditor.h"

#include "MTTempoEditorDelegate.h"
#include "MTTempoEditorTitlePicker.h"
#include "MTTempoEditorValueDial.h"
#include "app/ShellTestSupport.h"
#include "foundation/ManualTimerScheduler.h"

#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

class Reports : public MTTempoEditorDelegate {
public:
    void tempoEditorValueDidChange(MTTempoEditor& editor) override {
        tempos.push_back(editor.tempo());
    }
    std::vector<std::uint32_t> tempos;
};

// The editor on its own, on a clock the test moves; the strip's tocks are counted.
struct Editor {
    QApplication& application = shellApplication();
    fretkit::ManualTimerScheduler timers;
    MTTempoEditor editor{timers};
    MTTempoEditorTitlePicker& strip = *editor.titlePicker();
    MTTempoEditorValueDial& dial = *editor.valueDial();
    Reports reports;
    int clicks = 0;

    explicit Editor(std::uint32_t tempo) {
        editor.resize(320, 96);
        editor.setTempo(tempo);
        editor.setDelegate(&reports);
        MTTempoEditorTitlePicker::setClickPlayer([this] { ++clicks; });
        timers.advanceTo(100.0);
    }
    ~Editor() { MTTempoEditorTitlePicker::setClickPlayer({}); }

    std::int32_t notch(std::size_t name) const {
        return static_cast<std::int32_t>(strip.model().strip().notches()[name]);
    }
    // A mouse press at x, moves by dx every `interval` seconds, and a release where it ends.
    void drag(QWidget& view, double x, double dx, int moves, double interval) {
        const double y = view.height() / 2.0;
        sendMouse(&view, QEvent::MouseButtonPress, {x, y});
        for (int i = 1; i <= moves; ++i) {
            timers.advanceTo(timers.now() + interval);
            sendMouse(&view, QEvent::MouseMove, {x + dx * i, y});
        }
        sendMouse(&view, QEvent::MouseButtonRelease, {x + dx * moves, y});
    }
    void wheel(QWidget& view, int notches) {
        const QPointF at(view.width() / 2.0, view.height() / 2.0);
        QWheelEvent event(at, view.mapToGlobal(at), {}, {0, 120 * notches}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &event);
    }
    void runFor(double seconds) { timers.advanceTo(timers.now() + seconds); }
};

constexpr std::size_t kAdagio = 2;
constexpr std::size_t kAndante = 3;

} // namespace

TEST(MTTempoEditor, ClampsToFortyToTwoEightyAndReportsOnlyChanges) {
    Editor e(100);
    e.editor.setTempo(300);
    e.editor.setTempo(10);
    e.editor.setTempo(40);
    EXPECT_EQ(e.reports.tempos, (std::vector<std::uint32_t>{280, 40}));
    e.editor.stepTempo(-500); // far below the range, not wrapped round to the top
    EXPECT_EQ(e.editor.tempo(), 40u);
}

TEST(MTTempoEditor, TheStripShowsTheNameWhoseHalfOpenRangeHoldsTheTempo) {
    Editor e(100); // placed on "andante" at once, without a tock
    EXPECT_EQ(e.strip.scroll(), e.notch(kAndante));
    EXPECT_EQ(e.clicks, 0);
    e.editor.setTempo(120);
    e.runFor(0.4);
    EXPECT_EQ(e.strip.scroll(), e.notch(5)); // "allegro"
    EXPECT_GE(e.clicks, 1);                  // the glide tocks as it passes "moderato"
    EXPECT_EQ(e.editor.tempo(), 120u);       // and sets nothing
    e.editor.setTempo(280);                  // no name holds 280: the strip stays
    e.runFor(0.4);
    EXPECT_EQ(e.strip.scroll(), e.notch(5));
    e.editor.setTempo(119);
    e.runFor(0.4);
    EXPECT_EQ(e.strip.scroll(), e.notch(4)); // "moderato"
}

TEST(MTTempoEditor, ASlowReleaseBetweenAdagioAndAndanteSnapsToTheNearerAndSetsItsTempo) {
    for (const double share : {0.4, 0.6}) {
        Editor e(71);
        const double gap = e.notch(kAndante) - e.notch(kAdagio);
        e.drag(e.strip, 250.0, -gap * share, 1, 1.0);
        e.runFor(0.2);
        EXPECT_TRUE(e.reports.tempos.empty()); // still gliding
        e.runFor(0.1);
        const bool andante = share > 0.5;
        EXPECT_EQ(e.strip.scroll(), e.notch(andante ? kAndante : kAdagio));
        EXPECT_EQ(e.editor.tempo(), andante ? 92u : 71u);
        EXPECT_EQ(e.reports.tempos.size(), andante ? 1u : 0u); // 71 was the tempo already
        EXPECT_FALSE(e.strip.isAutoscrolling());
    }
}

TEST(MTTempoEditor, AFlickToTheLeftCoastsToAFasterNameAndLandsOnItExactly) {
    Editor e(50);
    e.drag(e.strip, 300.0, -15.0, 12, 0.01);
    e.runFor(0.9);
    EXPECT_TRUE(e.reports.tempos.empty());
    EXPECT_TRUE(e.strip.isAutoscrolling());
    e.runFor(0.2);
    EXPECT_FALSE(e.strip.isAutoscrolling());
    const std::int32_t name = e.strip.model().strip().selectedIndex();
    ASSERT_NE(name, fretkit::ScrollStrip::kNotFound);
    EXPECT_GE(name, 5);
    EXPECT_EQ(e.reports.tempos,
              std::vector<std::uint32_t>{
                  MTTempoEditorModel::names()[static_cast<std::size_t>(name)].midValue()});
}

TEST(MTTempoEditor, ADragTocksOnceForEveryMoveThatPassesAName) {
    Editor e(50);
    const double y = e.strip.height() / 2.0;
    sendMouse(&e.strip, QEvent::MouseButtonPress, {300, y});
    const double beyondTwo = e.notch(kAdagio) + 5.0; // passes "larghetto" and "adagio"
    sendMouse(&e.strip, QEvent::MouseMove, {300 - beyondTwo, y});
    EXPECT_EQ(e.clicks, 1);
    sendMouse(&e.strip, QEvent::MouseMove, {300 - beyondTwo - 2, y});
    EXPECT_EQ(e.clicks, 1);
    sendMouse(&e.strip, QEvent::MouseButtonRelease, {300 - beyondTwo - 2, y});
    e.runFor(0.5);
    EXPECT_EQ(e.editor.tempo(), 71u);
}

TEST(MTTempoEditor, TheWheelSteps16PointsPerTempoAndCoastsOnlyAfterAFlick) {
    Editor e(100);
    e.drag(e.dial, 100.0, 10.0, 4, 0.1); // 40 points to the right
    EXPECT_EQ(e.reports.tempos, (std::vector<std::uint32_t>{101, 102}));
    EXPECT_FALSE(e.dial.isCoasting()); // a slow release
    e.runFor(1.0);
    EXPECT_EQ(e.editor.tempo(), 102u);

    e.drag(e.dial, 250.0, -20.0, 11, 0.005); // a flick to the left
    const std::uint32_t released = e.editor.tempo();
    EXPECT_EQ(released, 102u - 13u); // 220 points
    ASSERT_TRUE(e.dial.isCoasting());
    e.runFor(2.0);
    EXPECT_FALSE(e.dial.isCoasting());
    EXPECT_EQ(e.editor.tempo(), released - 19u); // 319 points of coasting at the top speed
}

TEST(MTTempoEditor, TheMouseWheelTurnsTheDialOneStepAndTheStripOneName) {
    Editor e(100);
    e.wheel(e.dial, 3);
    EXPECT_EQ(e.editor.tempo(), 103u);
    e.wheel(e.dial, -1);
    EXPECT_EQ(e.editor.tempo(), 102u);
    EXPECT_EQ(e.dial.offset(), -8); // turned 48 points (8 past a notch), then back 16

    e.wheel(e.strip, 1); // andante -> moderato
    e.runFor(0.3);
    EXPECT_EQ(e.strip.scroll(), e.notch(4));
    EXPECT_EQ(e.editor.tempo(), 114u);
    e.wheel(e.strip, -2);
    e.runFor(0.3);
    EXPECT_EQ(e.editor.tempo(), 71u);
}
