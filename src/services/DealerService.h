#pragma once

#include "LocatorSampleDirectory.h"
#include "ServiceAnswer.h"

#include <string>
#include <string_view>

namespace fretkit {

// The local dealer search service. Both endpoints take the SOAP requests of the dealer locator:
// "Get<brand>Dealers" with a country code answers that country's dealers of the brand as "Table"
// rows; "Get<brand>DealersByZipCode" answers the United States dealers of the brand near the
// postal code as "DSEARCHZIP" rows. Anything else is a SOAP fault with HTTP 500.
class DealerService {
public:
    static constexpr double kDomesticRadiusKm = 160.0;

    explicit DealerService(const LocatorSampleDirectory& directory) : directory_(directory) {}

    ServiceAnswer answer(std::string_view path, std::string_view soapAction,
                         std::string_view body) const;

private:
    std::string rows(const std::string& brand, bool international, const std::string& place) const;

    const LocatorSampleDirectory& directory_;
};

} // namespace fretkit
