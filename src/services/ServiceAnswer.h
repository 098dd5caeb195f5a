#pragma once

#include <string>

namespace fretkit {

// One answer of a local service, before it goes out over HTTP.
struct ServiceAnswer {
    int status = 200;
    std::string contentType = "text/xml; charset=utf-8";
    std::string body;

    // A SOAP fault: HTTP 500 with the code ("soap:Client", "soap:Server") and message.
    static ServiceAnswer fault(const std::string& code, const std::string& message);
    static ServiceAnswer text(int status, std::string body);
};

} // namespace fretkit
