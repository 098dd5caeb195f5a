#pragma once

#include <string>
#include <string_view>

namespace fretkit {

// SOAP 1.1 envelopes as the locator services exchange them.
class SoapEnvelope {
public:
    // The XML declaration, the envelope start tag and "<soap:Body>".
    static std::string start();
    // "</soap:Body></soap:Envelope>".
    static std::string end();
    // A whole envelope around a body text.
    static std::string wrap(std::string_view body) { return start() + std::string(body) + end(); }
    // A fault envelope: a soap:Fault with the fault code and the escaped message.
    static std::string fault(std::string_view code, std::string_view message);
    // A SOAPAction header's value without the quotes it may carry.
    static std::string_view unquotedAction(std::string_view action);
    // The "faultstring" of a fault envelope; empty when the text holds none.
    static std::string faultString(std::string_view envelope);
};

} // namespace fretkit
