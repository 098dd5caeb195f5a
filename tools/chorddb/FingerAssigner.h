#pragma once

#include <array>
#include <optional>

namespace fretkit {

// Places the fingers of the fretting hand on a shape the way a guitarist plays it: the fretted
// notes are taken fret by fret from the nut, each fret's notes held by one finger laid across
// them (a barre) or by one finger each; fingers rise with the fret (index on the lowest), and on
// one fret they rise with the string. A barre needs every string between its ends fretted at
// its fret or higher: an open, muted or lower-fretted string there would be pressed down by it.
// The thumb, hooked over the neck, may take a bass note on the thickest string near the index,
// where the caller allows it.
class FingerAssigner {
public:
    static constexpr unsigned kStrings = 6;
    static constexpr int kMuted = -1;
    static constexpr unsigned kThumb = 0;

    struct Assignment {
        std::array<unsigned, kStrings> finger{}; // 0 thumb, 1-4 index to little; fretted only
        unsigned fingers = 0;                    // fingers in use, the thumb included
        unsigned barres = 0;
        bool thumb = false;
        double cost = 0; // lower is easier
    };

    // `frets` per string (0 = thickest): kMuted, 0 for open, else the fret. nullopt when the
    // hand cannot hold the shape.
    static std::optional<Assignment> assign(const std::array<int, kStrings>& frets,
                                            bool thumbAllowed = true);
};

} // namespace fretkit
