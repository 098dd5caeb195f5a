#include "LocatorSession.h"

#include "foundation/UserDefaults.h"

#include <cmath>
#include <future>

using namespace fretkit;

bool LocatorSession::readOptions(const CliOptions& options, std::string* error) {
    if (!options.error().empty()) {
        *error = options.error();
        return false;
    }
    if (!options.positionals().empty()) {
        *error = "unexpected argument '" + options.positionals().front() + "'";
        return false;
    }
    if (const auto from = options.value("--from")) {
        from_ = GeoCoordinate::parse(*from);
        if (!from_) {
            *error = "--from needs LAT,LON in degrees, e.g. 39.95,-75.17";
            return false;
        }
    }
    if (const auto timeout = options.value("--timeout")) {
        const auto seconds = GeoCoordinate::parseDegrees(*timeout);
        if (!seconds || *seconds <= 0.0 || *seconds > 600.0) {
            *error = "--timeout needs a number of seconds between 0 and 600";
            return false;
        }
        client_ = LocatorHttpClient(
            std::chrono::milliseconds(static_cast<long long>(std::ceil(*seconds * 1000.0))));
    }
    return true;
}

bool LocatorSession::open(std::string* error) {
    const auto services = addresses_.resolve(UserDefaults::standard(), error);
    if (services) {
        services_ = *services;
    }
    return services.has_value();
}

std::vector<LocatorResponse>
LocatorSession::sendAll(const std::vector<LocatorRequest>& requests) const {
    std::vector<std::future<LocatorResponse>> pending;
    for (const LocatorRequest& request : requests) {
        pending.push_back(
            std::async(std::launch::async, [this, &request] { return client_.send(request); }));
    }
    std::vector<LocatorResponse> responses;
    for (auto& response : pending) {
        responses.push_back(response.get());
    }
    return responses;
}

std::string LocatorSession::malformed(const std::string& parseError) {
    return parseError.empty() ? std::string()
                              : "the answer is not well-formed XML (" + parseError + ")";
}
