#pragma once

#include <functional>

namespace fretkit {

class QueueDispatcher;

// Something that runs work on the main thread: the Qt event loop in the app, a queue that the
// command-line tool or a test pumps elsewhere.
class MainThreadDispatcher {
public:
    virtual ~MainThreadDispatcher() = default;
    // Queues the work and returns at once; safe to call from any thread but the audio thread.
    virtual void post(std::function<void()> work) = 0;
};

// Hands work from worker threads to the main thread without waiting for it.
class MainThread {
public:
    // Posts to the installed dispatcher, or, when none is installed, to defaultQueue().
    static void perform(std::function<void()> work);

    // Installs a dispatcher (not owned; it must outlive its installation); nullptr goes back to
    // the default queue. Answers the previous one.
    static MainThreadDispatcher* install(MainThreadDispatcher* dispatcher);

    // The queue used when no other dispatcher is installed; its owner pumps it.
    static QueueDispatcher& defaultQueue();

    // True on the thread that started the process.
    static bool isCurrent();
};

} // namespace fretkit
