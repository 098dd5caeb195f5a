#include "foundation/NotificationCenter.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using fretkit::Notification;
using fretkit::NotificationCenter;

TEST(NotificationCenter, DeliversByNameAndSender) {
    NotificationCenter center;
    int sender = 0;
    int other = 0;
    std::vector<std::string> seen;
    center.addObserver("bypassChanged", nullptr,
                       [&](const Notification& n) { seen.push_back("any:" + n.name); });
    center.addObserver("bypassChanged", &sender, [&](const Notification& n) {
        seen.push_back("sender:" + n.userInfo["state"].stringValue());
    });
    center.addObserver("", nullptr,
                       [&](const Notification& n) { seen.push_back("all:" + n.name); });

    center.postNotification("bypassChanged", &sender,
                            fretkit::PlistValue::dictionary({{"state", "on"}}));
    center.postNotification("bypassChanged", &other);
    center.postNotification("routeChanged");
    EXPECT_EQ(seen, (std::vector<std::string>{"any:bypassChanged", "sender:on", "all:bypassChanged",
                                              "any:bypassChanged", "all:bypassChanged",
                                              "all:routeChanged"}));
}

TEST(NotificationCenter, ObserversMayRemoveThemselvesAndOthersDuringDelivery) {
    NotificationCenter center;
    int firstCalls = 0;
    int secondCalls = 0;
    NotificationCenter::Token second = 0;
    NotificationCenter::Token first = center.addObserver("tick", nullptr, [&](const Notification&) {
        ++firstCalls;
        center.removeObserver(first);
        center.removeObserver(second);
    });
    second = center.addObserver("tick", nullptr, [&](const Notification&) { ++secondCalls; });
    center.postNotification("tick");
    center.postNotification("tick");
    EXPECT_EQ(firstCalls, 1);
    EXPECT_EQ(secondCalls, 0);
}

TEST(NotificationCenter, PostsFromSeveralThreadsReachEveryObserver) {
    NotificationCenter center;
    std::atomic<int> received{0};
    center.addObserver("beat", nullptr, [&](const Notification&) { ++received; });
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 500; ++i) {
                center.postNotification("beat");
            }
        });
    }
    // Observers come and go while the posts run.
    for (int i = 0; i < 200; ++i) {
        center.removeObserver(center.addObserver("beat", nullptr, [](const Notification&) {}));
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(received.load(), 2000);
}
