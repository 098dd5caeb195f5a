#pragma once

#include "foundation/TimerScheduler.h"

// Repeating timers on the Qt event loop of the main thread, for the screens' animations. Qt
// counts whole milliseconds, so 1/30 s fires every 33 ms and 1/60 s every 17 ms. A timer stops
// when it is invalidated or when its last handle goes.
class QtTimerScheduler final : public fretkit::TimerScheduler {
public:
    // The app's scheduler.
    static QtTimerScheduler& shared();

    std::shared_ptr<fretkit::RepeatingTimer>
    scheduleRepeating(double interval, std::function<void()> action) override;
};
