#pragma once

#include <string>
#include <vector>

namespace fretkit {

// An RGB picture the local services draw pixel by pixel, and its PNG file.
class PngImage {
public:
    PngImage(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    void set(int x, int y, unsigned char red, unsigned char green, unsigned char blue);

    // An 8-bit RGB PNG, unfiltered, deflated.
    std::string png() const;

private:
    int width_;
    int height_;
    std::vector<unsigned char> rgb_;
};

} // namespace fretkit
