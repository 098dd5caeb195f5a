#include "QtTimerScheduler.h"

#include <QTimer>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

class QtRepeatingTimer final : public fretkit::RepeatingTimer {
public:
    QtRepeatingTimer(double interval, std::function<void()> action) {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(std::max(1, static_cast<int>(std::lround(interval * 1000.0))));
        QObject::connect(&timer_, &QTimer::timeout, [action = std::move(action)] { action(); });
        timer_.start();
    }

    void invalidate() override { timer_.stop(); }
    bool isValid() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

} // namespace

QtTimerScheduler& QtTimerScheduler::shared() {
    static QtTimerScheduler scheduler;
    return scheduler;
}

std::shared_ptr<fretkit::RepeatingTimer>
QtTimerScheduler::scheduleRepeating(double interval, std::function<void()> action) {
    return std::make_shared<QtRepeatingTimer>(interval, std::move(action));
}
