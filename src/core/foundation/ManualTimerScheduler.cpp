#include "ManualTimerScheduler.h"

#include <algorithm>

namespace fretkit {

class ManualTimerScheduler::Timer final : public RepeatingTimer {
public:
    Timer(double step, double first, std::function<void()> work)
        : interval(step), next(first), action(std::move(work)) {}

    void invalidate() override { valid = false; }
    bool isValid() const override { return valid; }

    double interval;
    double next;
    std::function<void()> action;
    bool valid = true;
};

std::shared_ptr<RepeatingTimer>
ManualTimerScheduler::scheduleRepeating(double interval, std::function<void()> action) {
    // A zero or negative interval would fire without end; such a timer fires once a millisecond.
    const double step = interval > 0.0 ? interval : 0.001;
    auto timer = std::make_shared<Timer>(step, now_ + step, std::move(action));
    timers_.push_back(timer);
    return timer;
}

void ManualTimerScheduler::advanceTo(double seconds) {
    for (;;) {
        std::erase_if(timers_, [](const auto& timer) { return !timer->valid; });
        const auto due =
            std::min_element(timers_.begin(), timers_.end(),
                             [](const auto& a, const auto& b) { return a->next < b->next; });
        if (due == timers_.end() || (*due)->next > seconds) {
            break;
        }
        // Held here: the action may invalidate the timer or schedule others.
        const std::shared_ptr<Timer> timer = *due;
        now_ = std::max(now_, timer->next);
        timer->next += timer->interval;
        timer->action();
    }
    now_ = std::max(now_, seconds);
}

std::size_t ManualTimerScheduler::activeCount() const {
    return static_cast<std::size_t>(std::count_if(timers_.begin(), timers_.end(),
                                                  [](const auto& timer) { return timer->valid; }));
}

} // namespace fretkit
