#pragma once

#include "Artwork.h"

// The application shell's images: the home menu's row backgrounds, arrow and the seven tool
// icons, and the tool screens' settings button.
class ShellArtwork {
public:
    static std::vector<ArtworkImage> images();
};
