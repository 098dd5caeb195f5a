#pragma once

#include "LocatorSampleDirectory.h"
#include "ServiceAnswer.h"

#include <string>
#include <string_view>

namespace fretkit {

// The local teacher search service: "GetTeachers" for an instrument, by country (code or name)
// when no postal code is given, else within the radius in miles of the postal code. Each teacher
// goes out as a "Teacher" with its flags, its "Data" rows of field codes and values, and its
// "TeacherGeocode". The photos of the directory are served as PNG thumbnails.
class TeacherService {
public:
    static constexpr const char* kThumbnailPath = "/upload/profile_images/thumbs/";

    explicit TeacherService(const LocatorSampleDirectory& directory) : directory_(directory) {}

    ServiceAnswer answer(std::string_view soapAction, std::string_view body) const;
    // The thumbnail of a teacher's image name; 404 for names no teacher has.
    ServiceAnswer thumbnail(std::string_view imageName) const;

private:
    const LocatorSampleDirectory& directory_;
};

} // namespace fretkit
