#pragma once

#include "Artwork.h"

// The screen layer's and the interface kit's images: the navigation bar, the disclosure
// indicator and check mark, the delete button, the about button and the application icon.
class KitArtwork {
public:
    static std::vector<ArtworkImage> images();
};
