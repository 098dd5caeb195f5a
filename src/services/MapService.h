#pragma once

#include "LocatorSampleDirectory.h"
#include "ServiceAnswer.h"

#include <string_view>

namespace fretkit {

// The local geocoding and map service. "/maps/geo?q=...&output=csv" answers
// "200,8,latitude,longitude" for a place of the directory, "602,0,0,0" for an unknown place and
// "601,0,0,0" for an empty query; "/maps?q=..." answers a small page about the place;
// "/maps/image?ll=LAT,LON&spn=DEGREES&size=PIXELS" answers a square PNG street map there.
class MapService {
public:
    explicit MapService(const LocatorSampleDirectory& directory) : directory_(directory) {}

    ServiceAnswer geocode(std::string_view query, std::string_view output) const;
    ServiceAnswer page(std::string_view query) const;
    ServiceAnswer image(std::string_view center, std::string_view span,
                        std::string_view size) const;

private:
    const LocatorSampleDirectory& directory_;
};

} // namespace fretkit
