#pragma once

#include "Artwork.h"

// The scales screen's images: the rosewood background, the name panel (a dark window in a brass
// bezel), the brass step buttons and the hint button with their pressed faces, the strip behind
// the group control, and the pictures of the hint page (a finger disc, a root disc, a strum).
class ScalesArtwork {
public:
    static std::vector<ArtworkImage> images();
};
