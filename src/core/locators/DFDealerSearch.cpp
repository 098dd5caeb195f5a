#include "DFDealerSearch.h"

#include "SoapEnvelope.h"
#include "URLText.h"
#include "xml/QVXMLParser.h"

namespace fretkit {

namespace {

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::string DFDealerSearch::operation(std::string_view brand) const {
    return "Get" + std::string(brand) + (international_ ? "Dealers" : "DealersByZipCode");
}

std::string DFDealerSearch::serviceNamespace(std::string_view serviceBase) const {
    return "http://" + std::string(URLText::authority(serviceBase)) +
           (international_ ? kInternationalPath : kDomesticPath);
}

LocatorRequest DFDealerSearch::request(std::string_view brand, std::string_view serviceBase) const {
    const std::string name = operation(brand);
    const std::string ns = serviceNamespace(serviceBase);
    const char* field = international_ ? "strCountry" : "strZipCode";
    LocatorRequest request;
    request.method = "POST";
    request.url = std::string(serviceBase) + (international_ ? kInternationalPath : kDomesticPath);
    request.body = SoapEnvelope::start() + "<" + name + " xmlns=\"" + URLText::xmlEscape(ns) +
                   "\"><" + field + ">" + URLText::xmlEscape(localeCode_) + "</" + field + "></" +
                   name + ">" + SoapEnvelope::end();
    request.headers = {{"Content-Type", "text/xml; charset=utf-8"},
                       {"SOAPAction", ns + "/" + name},
                       {"Content-Length", std::to_string(request.body.size())}};
    return request;
}

PlistValue DFDealerSearch::record(const PlistValue& row) const {
    PlistValue record = PlistValue::dictionary();
    for (const auto& [key, value] : row.dictionaryEntries()) {
        record.set(key, trimmed(value.stringValue()));
    }
    const auto latitude = GeoCoordinate::parseDegrees(record["LATTEX"].stringValue());
    const auto longitude = GeoCoordinate::parseDegrees(record["LNGTEX"].stringValue());
    if (latitude && longitude && coordinate_.latitude != 0.0 && coordinate_.longitude != 0.0) {
        const double angle = GeoCoordinate::centralAngle(coordinate_, {*latitude, *longitude});
        record.set("distanceText", GeoCoordinate::distanceText(angle, metric_));
        record.set("distanceValue", angle);
    } else {
        record.set("distanceValue", GeoCoordinate::kUnknownDistance);
    }
    return record;
}

std::vector<PlistValue> DFDealerSearch::readAnswer(std::string_view body,
                                                   std::string* error) const {
    QVXMLParser parser;
    parser.setRootClass(QVXMLParser::RootClass::Array);
    parser.setDictionaryElements(std::vector<std::string>{international_ ? "Table" : "DSEARCHZIP"});
    const PlistValue& rows = parser.objectForData(body, error);
    std::vector<PlistValue> records;
    for (const PlistValue& row : rows.arrayItems()) {
        if (row.isDictionary()) {
            records.push_back(record(row));
        }
    }
    return records;
}

} // namespace fretkit
