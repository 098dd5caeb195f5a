#pragma once

#include "GeoCoordinate.h"
#include "LocatorRequest.h"
#include "foundation/PlistValue.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace fretkit {

// One search of the dealer service: international by country code, domestic (United States) by
// postal code. It builds the SOAP request for each brand and reads an answer into dealer records:
// dictionaries of trimmed strings plus "distanceValue" (the central angle to the user in radians,
// the largest double when unknown) and, when known, "distanceText".
class DFDealerSearch {
public:
    static constexpr std::array<const char*, 7> kBrandKeys = {
        "Dunmoor", "Temba", "BrevanoStrings", "BrevanoBowed", "Tolvek", "Halvet", "Quillon"};
    static constexpr const char* kInternationalPath = "/DealerWebServices/IntDealerSearch.asmx";
    static constexpr const char* kDomesticPath = "/DealerWebServices/DomesticDealerSearch.asmx";

    DFDealerSearch(bool international, std::string localeCode, GeoCoordinate coordinate,
                   bool metric)
        : international_(international), localeCode_(std::move(localeCode)),
          coordinate_(coordinate), metric_(metric) {}

    bool international() const { return international_; }
    const std::string& localeCode() const { return localeCode_; }

    // The operation for a brand: "Get<brand>Dealers" or "Get<brand>DealersByZipCode".
    std::string operation(std::string_view brand) const;
    // The service namespace: "http://" + the service's host + the endpoint path.
    std::string serviceNamespace(std::string_view serviceBase) const;
    // The POST of one brand's search to the dealer service at `serviceBase`.
    LocatorRequest request(std::string_view brand, std::string_view serviceBase) const;

    // The records of one answer, in document order. A malformed answer gives the rows read
    // before the error, and the parser's message in `error` when given.
    std::vector<PlistValue> readAnswer(std::string_view body, std::string* error = nullptr) const;

private:
    PlistValue record(const PlistValue& row) const;

    bool international_;
    std::string localeCode_;
    GeoCoordinate coordinate_;
    bool metric_;
};

} // namespace fretkit
