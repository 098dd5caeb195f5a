#pragma once

#include <QAbstractAnimation>
#include <QAnimationDriver>
#include <QCoreApplication>

// Qt's animation clock under a test's control: while an AnimationClock exists, the screen
// layer's animations (ViewAnimation and every other Qt animation) move only when the test
// advances the clock, so a test looks at an animation at an exact time instead of sleeping.
//
//     AnimationClock clock;
//     ... start a 0.33 s fade ...
//     clock.advance(0.2);   // 200 ms later: part way
//     clock.advance(0.2);   // past the end: finished, did-stop called
class AnimationClock : public QAnimationDriver {
public:
    AnimationClock() {
        // Qt counts a driver's time from its start and restarts it whenever animations begin
        // again after none ran, so the clock answers the time since its latest start.
        QObject::connect(this, &QAnimationDriver::started, [this] { startMs_ = elapsedMs_; });
        install();
    }
    ~AnimationClock() override { uninstall(); }
    AnimationClock(const AnimationClock&) = delete;
    AnimationClock& operator=(const AnimationClock&) = delete;

    qint64 elapsed() const override { return elapsedMs_ - startMs_; }

    // Moves the clock on by `seconds`, in frames of 1/60 s as a screen would, and lets posted
    // events (did-stop callbacks, deletions, repaints) run after each frame.
    void advance(double seconds) {
        const qint64 end = elapsedMs_ + static_cast<qint64>(seconds * 1000.0 + 0.5);
        while (elapsedMs_ < end) {
            elapsedMs_ = std::min<qint64>(end, elapsedMs_ + 16);
            QAnimationDriver::advance();
            QCoreApplication::processEvents();
        }
    }

private:
    qint64 elapsedMs_ = 0;
    qint64 startMs_ = 0;
};
