#include "foundation/QueueDispatcher.h"

#include "foundation/MainThread.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;
using fretkit::MainThread;
using fretkit::QueueDispatcher;

TEST(QueueDispatcher, RunsWorkFromOtherThreadsOnThePumpingThreadInOrder) {
    QueueDispatcher queue;
    std::vector<int> order;
    std::thread::id ranOn;
    std::thread worker([&] {
        for (int i = 0; i < 100; ++i) {
            queue.post([&, i] {
                order.push_back(i);
                ranOn = std::this_thread::get_id();
            });
        }
    });
    EXPECT_TRUE(queue.pumpUntil([&] { return order.size() == 100; }, 10s));
    worker.join();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
    }
}

TEST(QueueDispatcher, PumpRunsOnlyTheWorkQueuedBeforeIt) {
    QueueDispatcher queue;
    int runs = 0;
    queue.post([&] {
        ++runs;
        queue.post([&] { ++runs; });
    });
    EXPECT_EQ(queue.pump(), 1u);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(queue.pendingCount(), 1u);
    EXPECT_EQ(queue.pump(), 1u);
    EXPECT_EQ(runs, 2);
}

TEST(QueueDispatcher, PumpUntilGivesUpAfterTheTimeout) {
    QueueDispatcher queue;
    EXPECT_FALSE(queue.pumpUntil([] { return false; }, 20ms));
}

TEST(MainThread, PerformGoesToTheInstalledDispatcherOrTheDefaultQueue) {
    EXPECT_TRUE(MainThread::isCurrent());
    std::atomic<bool> onWorker{true};
    std::thread([&] { onWorker = MainThread::isCurrent(); }).join();
    EXPECT_FALSE(onWorker);

    QueueDispatcher mine;
    MainThread::install(&mine);
    int ran = 0;
    std::thread([&] { MainThread::perform([&] { ++ran; }); }).join();
    EXPECT_EQ(MainThread::install(nullptr), &mine);
    EXPECT_EQ(mine.pump(), 1u);
    MainThread::perform([&] { ++ran; });
    EXPECT_EQ(MainThread::defaultQueue().pump(), 1u);
    EXPECT_EQ(ran, 2);
}
