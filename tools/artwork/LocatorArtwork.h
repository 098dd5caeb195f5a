#pragma once

#include "Artwork.h"

// The dealer locator's and the teacher finder's images: the location button, the pin over a
// dealer's map, a teacher's placeholder portrait and the instruments of the teacher finder.
class LocatorArtwork {
public:
    static std::vector<ArtworkImage> images();
};
