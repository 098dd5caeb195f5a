#include "MapServiceLinks.h"

#include "URLText.h"
#include "foundation/StringFormat.h"

namespace fretkit {

std::string MapServiceLinks::geocodeURL(std::string_view mapServiceBase, std::string_view query) {
    return std::string(mapServiceBase) + kGeocodePath + "?q=" + URLText::percentEscape(query) +
           "&output=csv";
}

std::string MapServiceLinks::pageURL(std::string_view mapServiceBase, std::string_view query) {
    return std::string(mapServiceBase) + kPagePath + "?q=" + URLText::percentEscape(query);
}

std::string MapServiceLinks::imageURL(std::string_view mapServiceBase, GeoCoordinate center,
                                      int pixels) {
    return std::string(mapServiceBase) + kImagePath +
           stringWithFormat("?ll=%.6f,%.6f&spn=%g&size=%d", center.latitude, center.longitude,
                            kImageSpan, pixels);
}

} // namespace fretkit
