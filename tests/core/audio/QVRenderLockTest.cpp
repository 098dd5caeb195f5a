#include "audio/QVRenderLock.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <mutex>
#include <sched.h>
#include <sstream>
#include <string>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace {

pid_t threadId() {
    return static_cast<pid_t>(syscall(SYS_gettid));
}

bool runAtRealtimePriority(int priority) {
    sched_param param{};
    param.sched_priority = priority;
    return pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
}

// The scheduler's current priority of a thread, boosts included: the 18th field of its stat
// line (-1 - the real-time priority for a real-time thread).
int effectivePriority(pid_t thread) {
    std::ifstream stat("/proc/self/task/" + std::to_string(thread) + "/stat");
    std::string line;
    std::getline(stat, line);
    std::istringstream fields(line.substr(line.rfind(')') + 2)); // after the name
    std::string field;
    for (int i = 3; i <= 18 && fields >> field; ++i) {
    }
    return std::stoi(field);
}

} // namespace

// An interface thread of low priority holds the lock; the audio thread, of high priority, waits
// for it. The holder must run at the waiter's priority until it lets go, or anything between
// the two priorities could keep the audio thread waiting.
TEST(QVRenderLock, LendsTheWaitersPriorityToTheHolder) {
    QVRenderLock lock;
    ASSERT_TRUE(lock.inheritsPriority());
    std::atomic<pid_t> holderId{0};
    std::atomic<int> stage{0}; // 1: held, 2: let go
    bool privileged = true;
    std::thread holder([&] {
        privileged = runAtRealtimePriority(10);
        holderId.store(threadId());
        lock.lock();
        stage.store(1);
        stage.notify_all();
        stage.wait(1);
        lock.unlock();
    });
    stage.wait(0);
    if (!privileged) {
        stage.store(2);
        stage.notify_all();
        holder.join();
        GTEST_SKIP() << "this process may not run threads at real-time priority";
    }
    std::thread waiter([&] {
        runAtRealtimePriority(30);
        std::lock_guard guard(lock);
    });
    // The boost comes as soon as the waiter blocks; a lock without it never comes.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (effectivePriority(holderId.load()) != -31 && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(effectivePriority(holderId.load()), -31);
    stage.store(2);
    stage.notify_all();
    holder.join();
    waiter.join();
}
