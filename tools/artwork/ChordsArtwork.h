#pragma once

#include "Artwork.h"

// The chords screen's images: its dark wood background, the brass-rimmed plate that carries the
// chord's name, and the round previous and next step buttons.
class ChordsArtwork {
public:
    static std::vector<ArtworkImage> images();
};
