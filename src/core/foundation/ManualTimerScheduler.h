#pragma once

#include "TimerScheduler.h"

#include <vector>

namespace fretkit {

// Timers on a clock that the owner moves forward: advanceTo() fires every firing that falls due,
// in time order, on the calling thread. The clock may be the audio rendered so far (exact and
// repeatable) or the wall clock of a live run.
class ManualTimerScheduler final : public TimerScheduler {
public:
    std::shared_ptr<RepeatingTimer> scheduleRepeating(double interval,
                                                      std::function<void()> action) override;

    double now() const override { return now_; }
    void advanceTo(double seconds);
    // Timers still valid.
    std::size_t activeCount() const;

private:
    class Timer;
    std::vector<std::shared_ptr<Timer>> timers_;
    double now_ = 0.0;
};

} // namespace fretkit
