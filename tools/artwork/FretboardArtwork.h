#pragma once

#include "Artwork.h"

// The fretboard's images: a maple fingerboard with nut, nickel fret wire and black inlays, the
// six strings (the four thick ones wound, the two thin ones plain), the yellow and black finger
// discs, the finger's halo and the string title's root disc.
class FretboardArtwork {
public:
    static std::vector<ArtworkImage> images();
};
