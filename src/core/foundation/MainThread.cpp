#include "MainThread.h"

#include "QueueDispatcher.h"

#include <atomic>
#include <thread>

namespace fretkit {
namespace {

// Initialised before main() runs, so on the thread that started the process.
const std::thread::id startingThread = std::this_thread::get_id();

std::atomic<MainThreadDispatcher*> installed{nullptr};

} // namespace

void MainThread::perform(std::function<void()> work) {
    MainThreadDispatcher* dispatcher = installed.load();
    (dispatcher ? *dispatcher : defaultQueue()).post(std::move(work));
}

MainThreadDispatcher* MainThread::install(MainThreadDispatcher* dispatcher) {
    return installed.exchange(dispatcher);
}

QueueDispatcher& MainThread::defaultQueue() {
    static QueueDispatcher queue;
    return queue;
}

bool MainThread::isCurrent() {
    return std::this_thread::get_id() == startingThread;
}

} // namespace fretkit
