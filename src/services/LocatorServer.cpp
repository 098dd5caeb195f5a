#include "LocatorServer.h"

#include "foundation/Log.h"
#include "locators/DFDealerSearch.h"
#include "locators/TFTeacherSearch.h"

#include <chrono>
#include <httplib.h>

namespace fretkit {

namespace {

void send(httplib::Response& res, const ServiceAnswer& answer) {
    res.status = answer.status;
    res.set_content(answer.body, answer.contentType.c_str());
}

} // namespace

LocatorServer::LocatorServer(LocatorSampleDirectory directory)
    : directory_(std::move(directory)), dealers_(directory_), teachers_(directory_),
      maps_(directory_), server_(std::make_unique<httplib::Server>()) {
    route();
}

LocatorServer::~LocatorServer() {
    stop();
}

void LocatorServer::route() {
    httplib::Server& server = *server_;
    server.set_payload_max_length(kMaxRequestBytes);
    server.set_keep_alive_timeout(2);
    const auto dealerHandler = [this](const httplib::Request& req, httplib::Response& res) {
        send(res, dealers_.answer(req.path, req.get_header_value("SOAPAction"), req.body));
    };
    server.Post(DFDealerSearch::kInternationalPath, dealerHandler);
    server.Post(DFDealerSearch::kDomesticPath, dealerHandler);
    server.Post(TFTeacherSearch::kPath,
                [this](const httplib::Request& req, httplib::Response& res) {
                    send(res, teachers_.answer(req.get_header_value("SOAPAction"), req.body));
                });
    server.Get(std::string(TeacherService::kThumbnailPath) + "([^/]+)",
               [this](const httplib::Request& req, httplib::Response& res) {
                   send(res, teachers_.thumbnail(req.matches[1].str()));
               });
    server.Get("/maps/image", [this](const httplib::Request& req, httplib::Response& res) {
        send(res, maps_.image(req.get_param_value("ll"), req.get_param_value("spn"),
                              req.get_param_value("size")));
    });
    server.Get("/maps/geo", [this](const httplib::Request& req, httplib::Response& res) {
        send(res, maps_.geocode(req.get_param_value("q"), req.get_param_value("output")));
    });
    server.Get("/maps", [this](const httplib::Request& req, httplib::Response& res) {
        send(res, maps_.page(req.get_param_value("q")));
    });
    server.set_exception_handler(
        [](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
            send(res, ServiceAnswer::fault("soap:Server", "The service failed"));
        });
}

bool LocatorServer::start(int port, std::string* error, const std::string& host) {
    if (thread_.joinable()) {
        return true;
    }
    host_ = host;
    port_ = port == 0 ? server_->bind_to_any_port(host)
                      : (server_->bind_to_port(host, port) ? port : -1);
    if (port_ <= 0) {
        if (error) {
            *error = "cannot listen on " + host + ":" + std::to_string(port);
        }
        port_ = 0;
        return false;
    }
    finished_ = false;
    thread_ = std::thread([this] {
        server_->listen_after_bind();
        finished_ = true;
    });
    return true;
}

void LocatorServer::stop() {
    if (thread_.joinable()) {
        // A stop before the accept loop runs would be lost: wait for it to start (or to fail).
        while (!finished_ && !server_->is_running()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        server_->stop();
        thread_.join();
    }
}

std::string LocatorServer::baseAddress() const {
    return "http://" + host_ + ":" + std::to_string(port_);
}

} // namespace fretkit
