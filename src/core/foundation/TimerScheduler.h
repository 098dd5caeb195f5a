#pragma once

#include <functional>
#include <memory>

namespace fretkit {

// A repeating timer on the main thread; invalidating it stops its firing for good.
class RepeatingTimer {
public:
    virtual ~RepeatingTimer() = default;
    virtual void invalidate() = 0;
    virtual bool isValid() const = 0;
};

// Schedules repeating timers on the main thread's loop: Qt's timers in the app, a clock the
// caller advances in the command-line tool and the tests.
class TimerScheduler {
public:
    virtual ~TimerScheduler() = default;
    // The first firing comes one interval (seconds) from now.
    virtual std::shared_ptr<RepeatingTimer> scheduleRepeating(double interval,
                                                              std::function<void()> action) = 0;
};

} // namespace fretkit
