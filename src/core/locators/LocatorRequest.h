#pragma once

#include <string>
#include <utility>
#include <vector>

namespace fretkit {

// One request to a locator web service, independent of the HTTP client that sends it: the app
// and the command-line tool send the same requests and read the same answers.
struct LocatorRequest {
    std::string method = "GET";
    std::string url;
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;

    // The value of the first header with this name, or an empty string.
    std::string header(const std::string& name) const {
        for (const auto& [key, value] : headers) {
            if (key == name) {
                return value;
            }
        }
        return {};
    }
};

// What came back: the HTTP status and body, or, when no answer arrived, status 0 and the reason.
struct LocatorResponse {
    int status = 0;
    std::string body;
    std::string error;

    bool succeeded() const { return error.empty() && status >= 200 && status < 300; }
};

} // namespace fretkit
