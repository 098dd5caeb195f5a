#pragma once

#include "Artwork.h"

// The metronome's images: the screen with its track and the wheel's drum, the swinging cursor,
// the beat and bar flashes, the start, stop and tap buttons, and the tempo editor's name plate
// and wheel notch.
class MetronomeArtwork {
public:
    static std::vector<ArtworkImage> images();
};
