#include "DealerService.h"

#include "locators/DFDealerSearch.h"
#include "locators/SoapEnvelope.h"
#include "locators/URLText.h"
#include "xml/QVXMLParser.h"

#include <cctype>

namespace fretkit {

namespace {

// The brand of an operation name of this endpoint, or an empty text.
std::string brandOf(std::string_view operation, bool international) {
    for (const char* brand : DFDealerSearch::kBrandKeys) {
        const std::string expected =
            std::string("Get") + brand + (international ? "Dealers" : "DealersByZipCode");
        if (operation == expected) {
            return brand;
        }
    }
    return {};
}

std::string upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

} // namespace

std::string DealerService::rows(const std::string& brand, bool international,
                                const std::string& place) const {
    const std::optional<GeoCoordinate> center =
        international ? std::nullopt : directory_.postalCode(place);
    std::string xml;
    for (const PlistValue& dealer : directory_.dealers().arrayItems()) {
        if (!LocatorSampleDirectory::listContains(dealer["brands"], brand)) {
            continue;
        }
        const bool wanted = international
                                ? upper(dealer["ALCOCD"].stringValue()) == upper(place)
                                : center && dealer["ALCOCD"].stringValue() == "US" &&
                                      GeoCoordinate::centralAngle(
                                          *center, LocatorSampleDirectory::dealerPlace(dealer)) *
                                              GeoCoordinate::kEarthRadiusKm <=
                                          kDomesticRadiusKm;
        if (!wanted) {
            continue;
        }
        const char* row = international ? "Table" : "DSEARCHZIP";
        xml += std::string("<") + row + ">";
        for (const auto& [key, value] : dealer.dictionaryEntries()) {
            if (value.isString()) {
                xml += "<" + key + ">" + URLText::xmlEscape(value.stringValue()) + "</" + key + ">";
            }
        }
        xml += std::string("</") + row + ">";
    }
    return xml;
}

ServiceAnswer DealerService::answer(std::string_view path, std::string_view soapAction,
                                    std::string_view body) const {
    const bool international = path == DFDealerSearch::kInternationalPath;
    if (!international && path != DFDealerSearch::kDomesticPath) {
        return ServiceAnswer::fault("soap:Client", "No dealer service at " + std::string(path));
    }
    QVXMLParser parser;
    parser.setIgnoredElements(std::vector<std::string>{"soap:Envelope", "soap:Body"});
    std::vector<std::string> operations;
    for (const char* brand : DFDealerSearch::kBrandKeys) {
        operations.push_back(std::string("Get") + brand +
                             (international ? "Dealers" : "DealersByZipCode"));
    }
    parser.setDictionaryElements(operations);
    std::string error;
    const PlistValue& request = parser.objectForData(body, &error);
    if (!error.empty()) {
        return ServiceAnswer::fault("soap:Client", "The request is not well-formed XML: " + error);
    }
    const std::vector<std::string> keys = request.keys();
    const std::string operation = keys.size() == 1 ? keys.front() : std::string();
    const std::string brand = brandOf(operation, international);
    if (brand.empty()) {
        return ServiceAnswer::fault("soap:Client", "The request names no known operation");
    }
    const std::string_view action = SoapEnvelope::unquotedAction(soapAction);
    if (action.size() < operation.size() + 1 ||
        action.substr(action.size() - operation.size() - 1) != "/" + operation) {
        return ServiceAnswer::fault("soap:Client",
                                    "The SOAPAction header does not name " + operation);
    }
    const std::string field = international ? "strCountry" : "strZipCode";
    const std::string place = request[operation][field].stringValue();
    if (place.empty()) {
        return ServiceAnswer::fault("soap:Client", "The request has no " + field);
    }
    const std::string ns(action.substr(0, action.size() - operation.size() - 1));
    return {200, "text/xml; charset=utf-8",
            SoapEnvelope::wrap("<" + operation + "Response xmlns=\"" + URLText::xmlEscape(ns) +
                               "\"><" + operation + "Result><NewDataSet>" +
                               rows(brand, international, place) + "</NewDataSet></" + operation +
                               "Result></" + operation + "Response>")};
}

} // namespace fretkit
