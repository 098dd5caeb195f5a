#pragma once

#include "LocatorRequest.h"

#include <chrono>
#include <cstddef>

namespace fretkit {

// Sends locator requests over HTTP or HTTPS and waits for the answer. Server certificates are
// validated against the system's trusted authorities and the host name; a certificate that fails
// is a failed request with the reason. Every request is bounded in time (connecting, and the
// whole answer) and in the size of the answer.
class LocatorHttpClient {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{15000};
    static constexpr std::size_t kDefaultMaxBody = 16 * 1024 * 1024;

    explicit LocatorHttpClient(std::chrono::milliseconds timeout = kDefaultTimeout,
                               std::size_t maxBody = kDefaultMaxBody)
        : timeout_(timeout), maxBody_(maxBody) {}

    // Safe to call from several threads at once: each call has its own connection.
    LocatorResponse send(const LocatorRequest& request) const;

private:
    std::chrono::milliseconds timeout_;
    std::size_t maxBody_;
};

} // namespace fretkit
