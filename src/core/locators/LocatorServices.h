#pragma once

#include <optional>
#include <string>

namespace fretkit {

class UserDefaults;

// The base addresses ("http://host:port", "https://host") of the dealer, teacher and map
// services. Each comes from its environment variable, else from its setting; one configured by
// neither is left empty, and the caller starts the embedded local services for it.
struct LocatorServices {
    static constexpr const char* kDealerVariable = "FRETKIT_DEALER_SERVICE";
    static constexpr const char* kTeacherVariable = "FRETKIT_TEACHER_SERVICE";
    static constexpr const char* kMapVariable = "FRETKIT_MAP_SERVICE";
    static constexpr const char* kDealerKey = "DF_dealerService";
    static constexpr const char* kTeacherKey = "TF_teacherService";
    static constexpr const char* kMapKey = "DF_mapService";

    std::string dealers;
    std::string teachers;
    std::string maps;

    static LocatorServices configured(const UserDefaults& defaults);

    bool complete() const { return !dealers.empty() && !teachers.empty() && !maps.empty(); }
    // Fills the addresses still empty with one base address (the embedded services).
    void fillMissing(const std::string& base);

    // The address without trailing slashes, or nullopt (with the reason) when it is not an http
    // or https address with a host and no query.
    static std::optional<std::string> normalized(const std::string& address, std::string* error);
};

} // namespace fretkit
