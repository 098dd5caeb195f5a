#pragma once

#include "foundation/MainThread.h"

// Runs the core's main-thread work on the Qt event loop of the application object.
class QtMainThreadDispatcher final : public fretkit::MainThreadDispatcher {
public:
    void post(std::function<void()> work) override;
};
