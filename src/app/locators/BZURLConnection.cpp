#include "BZURLConnection.h"

#include "locators/LocatorHttpClient.h"
#include "ui/QtMainThreadDispatcher.h"

#include <QCoreApplication>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <unordered_map>

// The threads that send the requests. They share their queue under one standard mutex, and the
// answers go back through a main-thread dispatcher that keeps its own queue the same way, so
// that the thread sanitizer sees every hand-over (it cannot see inside Qt's queues). Created on
// the main thread with the first request and never destroyed: a worker still waiting for a slow
// service when the app ends must not find its queue gone. Once the application object is gone,
// no answer is handed back.
class BZURLConnectionWorkers {
public:
    static constexpr std::size_t kMaxThreads = 16;

    static BZURLConnectionWorkers& shared() {
        static auto* workers = new BZURLConnectionWorkers;
        return *workers;
    }

    // Main thread.
    void start(std::uint64_t id, fretkit::LocatorRequest request) {
        std::lock_guard lock(mutex_);
        jobs_.push_back({id, std::move(request)});
        if (idle_ < jobs_.size() && threads_ < kMaxThreads) {
            ++threads_;
            std::thread([this] { work(); }).detach();
        }
        wake_.notify_one();
    }

private:
    struct Job {
        std::uint64_t id;
        fretkit::LocatorRequest request;
    };

    BZURLConnectionWorkers() {
        if (QCoreApplication* application = QCoreApplication::instance()) {
            QObject::connect(application, &QObject::destroyed, [this] {
                std::lock_guard lock(mutex_);
                open_ = false;
            });
        }
    }

    // Worker thread.
    void work() {
        std::unique_lock lock(mutex_);
        for (;;) {
            ++idle_;
            wake_.wait(lock, [this] { return !jobs_.empty(); });
            --idle_;
            Job job = std::move(jobs_.front());
            jobs_.pop_front();
            lock.unlock();
            fretkit::LocatorResponse response = fretkit::LocatorHttpClient().send(job.request);
            lock.lock();
            if (open_) {
                answers_.post([id = job.id, response = std::move(response)] {
                    BZURLConnection::deliver(id, response);
                });
            }
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    std::size_t threads_ = 0;
    std::size_t idle_ = 0;
    bool open_ = true;
    QtMainThreadDispatcher answers_; // made on the main thread, with the first request
};

namespace {

// The connections waiting for their answers, by number. Main thread only.
std::unordered_map<std::uint64_t, BZURLConnection*>& waiting() {
    static std::unordered_map<std::uint64_t, BZURLConnection*> connections;
    return connections;
}

std::uint64_t nextId() {
    static std::uint64_t last = 0;
    return ++last;
}

} // namespace

BZURLConnection::BZURLConnection(Completion completion, QObject* parent)
    : QObject(parent), id_(nextId()), completion_(std::move(completion)) {
    waiting().emplace(id_, this);
}

BZURLConnection::~BZURLConnection() {
    waiting().erase(id_);
}

QPointer<BZURLConnection> BZURLConnection::send(fretkit::LocatorRequest request,
                                                Completion completion, QObject* parent) {
    auto* connection = new BZURLConnection(std::move(completion), parent);
    BZURLConnectionWorkers::shared().start(connection->id_, std::move(request));
    return connection;
}

void BZURLConnection::cancel() {
    waiting().erase(id_);
    completion_ = nullptr;
    deleteLater();
}

void BZURLConnection::deliver(std::uint64_t id, const fretkit::LocatorResponse& response) {
    const auto found = waiting().find(id);
    if (found == waiting().end()) {
        return; // cancelled, or gone with its screen
    }
    BZURLConnection* connection = found->second;
    waiting().erase(found);
    // Deleted later, not now: the completion may start other connections or delete the parent.
    connection->deleteLater();
    if (Completion completion = std::exchange(connection->completion_, nullptr)) {
        completion(response);
    }
}
