#pragma once

#include "DealerService.h"
#include "LocatorSampleDirectory.h"
#include "MapService.h"
#include "TeacherService.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace fretkit {

// The dealer, teacher and map services on one local HTTP server. It listens on 127.0.0.1 (an
// ephemeral port unless one is given) and serves on its own threads until stopped or destroyed.
class LocatorServer {
public:
    static constexpr std::size_t kMaxRequestBytes = 1024 * 1024;

    explicit LocatorServer(LocatorSampleDirectory directory);
    ~LocatorServer();
    LocatorServer(const LocatorServer&) = delete;
    LocatorServer& operator=(const LocatorServer&) = delete;

    // Starts listening; false with the reason when the port cannot be bound. Port 0 picks a free
    // one.
    bool start(int port = 0, std::string* error = nullptr, const std::string& host = "127.0.0.1");
    void stop();

    int port() const { return port_; }
    // "http://127.0.0.1:<port>": the base address of all three services.
    std::string baseAddress() const;

    const DealerService& dealers() const { return dealers_; }
    const TeacherService& teachers() const { return teachers_; }
    const MapService& maps() const { return maps_; }

private:
    void route();

    LocatorSampleDirectory directory_;
    DealerService dealers_;
    TeacherService teachers_;
    MapService maps_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    std::atomic<bool> finished_{false};
    std::string host_;
    int port_ = 0;
};

} // namespace fretkit
