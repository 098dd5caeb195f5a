#pragma once

#include "Artwork.h"

// The tuner screen's images: its background with the display window, lamp sockets and label
// plates; the strobe ring in gray, green and blue; the needle's dial, arrows and pivot cap; the
// note letters and string numbers of both displays with their sharp signs; the lit lamp.
class TunerArtwork {
public:
    static std::vector<ArtworkImage> images();
};
