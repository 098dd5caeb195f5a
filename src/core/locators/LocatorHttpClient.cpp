#include "LocatorHttpClient.h"

#include "URLText.h"
#include "foundation/StringFormat.h"

#include <httplib.h>

namespace fretkit {

namespace {

using Clock = std::chrono::steady_clock;

std::string seconds(std::chrono::milliseconds duration) {
    return stringWithFormat("%g s", static_cast<double>(duration.count()) / 1000.0);
}

} // namespace

LocatorResponse LocatorHttpClient::send(const LocatorRequest& request) const {
    LocatorResponse response;
    const std::string base(URLText::schemeAndAuthority(request.url));
    if (base.empty() || !URLText::isWebURL(request.url)) {
        response.error = "'" + request.url + "' is not an http or https address";
        return response;
    }
    const std::string path =
        request.url.size() > base.size() ? request.url.substr(base.size()) : std::string(1, '/');

    httplib::Client client(base);
    if (!client.is_valid()) {
        response.error = "cannot use the address " + base;
        return response;
    }
    client.enable_server_certificate_verification(true);
    const auto timeout = std::chrono::duration_cast<std::chrono::microseconds>(timeout_);
    const time_t wholeSeconds = static_cast<time_t>(timeout.count() / 1000000);
    const time_t micros = static_cast<time_t>(timeout.count() % 1000000);
    client.set_connection_timeout(wholeSeconds, micros);
    client.set_read_timeout(wholeSeconds, micros);
    client.set_write_timeout(wholeSeconds, micros);

    httplib::Request req;
    req.method = request.method;
    req.path = path;
    req.body = request.body;
    for (const auto& [name, value] : request.headers) {
        req.headers.emplace(name, value);
    }
    const Clock::time_point deadline = Clock::now() + timeout_;
    bool tooLarge = false;
    req.content_receiver = [&](const char* data, size_t length, uint64_t, uint64_t) {
        if (response.body.size() + length > maxBody_) {
            tooLarge = true;
            return false;
        }
        response.body.append(data, length);
        return Clock::now() < deadline;
    };

    httplib::Response res;
    httplib::Error error = httplib::Error::Success;
    if (client.send(req, res, error)) {
        response.status = res.status;
        return response;
    }
    response.body.clear();
    switch (error) {
    case httplib::Error::Connection:
        response.error = "could not connect to " + base;
        break;
    case httplib::Error::SSLServerVerification:
        response.error =
            "the server's certificate was refused (" +
            std::string(X509_verify_cert_error_string(client.get_openssl_verify_result())) + ")";
        break;
    case httplib::Error::SSLConnection:
        response.error = "the secure connection to " + base + " failed";
        break;
    case httplib::Error::Canceled:
        response.error = tooLarge
                             ? "the answer is larger than " + std::to_string(maxBody_) + " bytes"
                             : "no complete answer within " + seconds(timeout_);
        break;
    case httplib::Error::ConnectionTimeout:
        response.error = "no answer within " + seconds(timeout_);
        break;
    case httplib::Error::Read:
    case httplib::Error::Write:
        response.error = Clock::now() >= deadline - std::chrono::milliseconds(50)
                             ? "no answer within " + seconds(timeout_)
                             : "the connection to " + base + " broke off";
        break;
    default:
        response.error = "the request to " + base + " failed (" + httplib::to_string(error) + ")";
    }
    return response;
}

} // namespace fretkit
