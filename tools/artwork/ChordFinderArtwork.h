#pragma once

#include "Artwork.h"

// The chord finder's images: the page behind the upright neck, the panel the chord's name sits
// on, and the hint button.
class ChordFinderArtwork {
public:
    static std::vector<ArtworkImage> images();
};
