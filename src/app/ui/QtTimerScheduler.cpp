#include "QtTimerScheduler.h"

#include <QTimer>
#include <algorithm>
#include <cmath>
#include <ctime>

class QtTimerScheduler::Timer final : public fretkit::RepeatingTimer,
                                      public std::enable_shared_from_this<Timer> {
public:
    Timer(int milliseconds, std::function<void()> action) : action_(std::move(action)) {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(milliseconds);
    }

    void start() {
        // Held while the action runs: it may invalidate this timer and schedule others, which
        // lets the scheduler drop its own reference.
        QObject::connect(&timer_, &QTimer::timeout, [weak = weak_from_this()] {
            if (const std::shared_ptr<Timer> self = weak.lock()) {
                self->action_();
            }
        });
        timer_.start();
    }

    void invalidate() override { timer_.stop(); }
    bool isValid() const override { return timer_.isActive(); }

private:
    QTimer timer_;
    std::function<void()> action_;
};

QtTimerScheduler& QtTimerScheduler::shared() {
    static QtTimerScheduler* scheduler = new QtTimerScheduler;
    return *scheduler;
}

double QtTimerScheduler::now() const {
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) / 1e9;
}

std::shared_ptr<fretkit::RepeatingTimer>
QtTimerScheduler::scheduleRepeating(double interval, std::function<void()> action) {
    // Timers that were invalidated go now; a timer never fires more often than once a
    // millisecond, so a zero interval cannot spin the loop.
    std::erase_if(timers_, [](const auto& timer) { return !timer->isValid(); });
    const int milliseconds = std::max(1, static_cast<int>(std::lround(interval * 1000.0)));
    auto timer = std::make_shared<Timer>(milliseconds, std::move(action));
    timer->start();
    timers_.push_back(timer);
    return timer;
}
