#pragma once

#include <string>
#include <string_view>

namespace fretkit {

// The sample directory's teacher photos: a small PNG portrait placeholder whose colours come from
// the image name, so each teacher has a distinct picture without shipping image files.
class ThumbnailImage {
public:
    static constexpr int kSize = 128; // pixels: sharp at double density too
    static std::string png(std::string_view name);
};

} // namespace fretkit
