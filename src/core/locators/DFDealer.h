#pragma once

#include "GeoCoordinate.h"
#include "foundation/PlistValue.h"

#include <optional>
#include <string>
#include <string_view>

namespace fretkit {

// What the dealer details read from one dealer record: the address texts, the geocoding and map
// links, the phone and web links. A missing field reads as an empty text.
class DFDealer {
public:
    explicit DFDealer(PlistValue record) : record_(std::move(record)) {}

    const PlistValue& record() const { return record_; }
    std::string field(std::string_view key) const { return record_[key].stringValue(); }

    // "street city region": the query of the geocoding request and the map link.
    std::string queryText() const;
    // Street (with its second line after a space), "city, region", country, on four lines.
    std::string addressText() const;

    std::string geocodeURL(std::string_view mapServiceBase) const;
    std::string mapURL(std::string_view mapServiceBase) const;
    // "tel:" with the escaped phone number; empty when the record has none.
    std::string phoneURL() const;
    // The web page, only when it is an http or https URL.
    std::optional<std::string> webURL() const;

    // Reads the geocoding service's "status,accuracy,latitude,longitude" answer: a coordinate
    // only for status 200 with more than three parts that are numbers.
    static std::optional<GeoCoordinate> coordinateFromGeocodeAnswer(std::string_view answer);

private:
    PlistValue record_;
};

} // namespace fretkit
