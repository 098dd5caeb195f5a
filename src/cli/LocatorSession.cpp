#include "LocatorSession.h"

#include "foundation/Bundle.h"
#include "foundation/UserDefaults.h"
#include "locators/SoapEnvelope.h"
#include "services/LocatorServer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <future>

using namespace fretkit;

LocatorSession::LocatorSession() = default;
LocatorSession::~LocatorSession() = default;

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
    services_ = LocatorServices::configured(UserDefaults::standard());
    for (std::string* address : {&services_.dealers, &services_.teachers, &services_.maps}) {
        if (!address->empty()) {
            const auto normalized = LocatorServices::normalized(*address, error);
            if (!normalized) {
                return false;
            }
            *address = *normalized;
        }
    }
    if (services_.complete()) {
        return true;
    }
    std::string reason;
    auto directory = LocatorSampleDirectory::load(Bundle::main(), &reason);
    if (directory) {
        server_ = std::make_unique<LocatorServer>(std::move(*directory));
        if (server_->start(0, &reason)) {
            services_.fillMissing(server_->baseAddress());
            return true;
        }
    }
    *error = "cannot start the local services: " + reason;
    return false;
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

std::string LocatorSession::failure(const LocatorResponse& response) {
    if (!response.error.empty()) {
        return response.error;
    }
    if (response.succeeded()) {
        return {};
    }
    const std::string fault = SoapEnvelope::faultString(response.body);
    return "the service answered HTTP " + std::to_string(response.status) +
           (fault.empty() ? std::string() : ": " + fault);
}

std::string LocatorSession::malformed(const std::string& parseError) {
    return parseError.empty() ? std::string()
                              : "the answer is not well-formed XML (" + parseError + ")";
}

bool LocatorSession::isPostalCode(const std::string& text) {
    return text.size() == 5 && std::all_of(text.begin(), text.end(), [](char c) {
               return std::isdigit(static_cast<unsigned char>(c)) != 0;
           });
}
