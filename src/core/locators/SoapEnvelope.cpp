#include "SoapEnvelope.h"

#include "URLText.h"
#include "xml/QVXMLParser.h"

namespace fretkit {

std::string SoapEnvelope::start() {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
           "<soap:Envelope xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
           "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
           "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">"
           "<soap:Body>";
}

std::string SoapEnvelope::end() {
    return "</soap:Body></soap:Envelope>";
}

std::string SoapEnvelope::fault(std::string_view code, std::string_view message) {
    return wrap("<soap:Fault><faultcode>" + URLText::xmlEscape(code) + "</faultcode><faultstring>" +
                URLText::xmlEscape(message) + "</faultstring></soap:Fault>");
}

} // namespace fretkit

namespace fretkit {

std::string_view SoapEnvelope::unquotedAction(std::string_view action) {
    if (action.size() >= 2 && action.front() == '"' && action.back() == '"') {
        return action.substr(1, action.size() - 2);
    }
    return action;
}

std::string SoapEnvelope::faultString(std::string_view envelope) {
    QVXMLParser parser;
    parser.setDictionaryElements(std::vector<std::string>{"soap:Fault"});
    return parser.objectForData(envelope)["soap:Fault"]["faultstring"].stringValue();
}

} // namespace fretkit
