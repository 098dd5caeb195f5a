#pragma once

#include "GeoCoordinate.h"
#include "LocatorRequest.h"
#include "TFTeacher.h"

#include <string>
#include <string_view>
#include <vector>

namespace fretkit {

// One search of the teacher service for an instrument: international by country (code or name),
// domestic (United States) by postal code within 50 miles.
class TFTeacherSearch {
public:
    static constexpr const char* kPath = "/templates/service/wsqservice.asmx";

    TFTeacherSearch(std::string instrument, bool international, std::string localeCode,
                    GeoCoordinate coordinates)
        : instrument_(std::move(instrument)), international_(international),
          localeCode_(std::move(localeCode)), coordinates_(coordinates) {}

    // "http://" + the service's host + "/".
    static std::string serviceNamespace(std::string_view serviceBase);
    LocatorRequest request(std::string_view serviceBase) const;

    // The active and approved teachers of an answer, nearest first (equal distances keep the
    // answer's order). A malformed answer gives the teachers read before the error.
    std::vector<TFTeacher> readAnswer(std::string_view body, std::string* error = nullptr) const;

private:
    std::string instrument_;
    bool international_;
    std::string localeCode_;
    GeoCoordinate coordinates_;
};

} // namespace fretkit
