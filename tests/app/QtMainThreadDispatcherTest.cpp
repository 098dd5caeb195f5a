#include "ui/QtMainThreadDispatcher.h"

#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

TEST(QtMainThreadDispatcher, WorkFromAWorkerThreadRunsOnTheEventLoopThread) {
    int argc = 1;
    char name[] = "app_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    QtMainThreadDispatcher dispatcher;
    fretkit::MainThread::install(&dispatcher);

    std::atomic<int> ran{0};
    std::thread::id ranOn;
    std::thread worker([&] {
        for (int i = 0; i < 10; ++i) {
            fretkit::MainThread::perform([&] {
                ranOn = std::this_thread::get_id();
                if (++ran == 10) {
                    QCoreApplication::quit();
                }
            });
        }
    });
    QTimer::singleShot(10000, &application, &QCoreApplication::quit); // never hang the suite
    QCoreApplication::exec();
    worker.join();
    fretkit::MainThread::install(nullptr);

    EXPECT_EQ(ran.load(), 10);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}
