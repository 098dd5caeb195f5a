#pragma once

#include <array>

namespace fretkit {

// Where things lie on a six-string, 24-fret neck, in points of the fretboard's content view.
// "Along" is the coordinate that runs down the neck (x on a neck lying on its side, y on an
// upright one), "across" the one that runs over the strings. A neck lying on its side spaces its
// frets as a real one does, each space 2^(-1/12) of the one before; an upright neck, which has
// far less room on a phone screen, spaces them evenly. A left-handed neck lying on its side is
// mirrored along its length (the nut on the right); an upright one is mirrored across it.
class FretboardGeometry {
public:
    static constexpr float kNeckStart =
        20.0f; // fret wire 0 (the nut's edge), before the nut offset
    static constexpr unsigned kFrets = 24;
    static constexpr float kTail = 17.0f;            // after the last fret wire
    static constexpr float kMaximumLength = 1340.0f; // also the long side of the content view
    static constexpr float kShortSide = 240.0f;      // the content's extent across the strings
    static constexpr float kStringPitch = 33.0f;
    static constexpr float kScrollMargin = 17.0f; // room kept before a fret scrolled to
    static constexpr unsigned kStrings = 6;
    static constexpr float kDefaultFretWidth = 55.0f;
    // The gauges (thousandths of an inch) of strings 0 (thickest) to 5.
    static constexpr std::array<int, kStrings> kGauges = {48, 38, 28, 18, 14, 11};
    // The frets with position inlays; 12 and 24 carry two.
    static constexpr std::array<unsigned, 10> kDotFrets = {3, 5, 7, 9, 12, 15, 17, 19, 21, 24};

    static bool isDotFret(unsigned fret);
    static bool isDoubleDotFret(unsigned fret) { return fret == 12 || fret == 24; }

    bool horizontal() const { return horizontal_; }
    void setHorizontal(bool horizontal) { horizontal_ = horizontal; }
    bool leftHanded() const { return leftHanded_; }
    void setLeftHanded(bool leftHanded) { leftHanded_ = leftHanded; }
    float nutOffset() const { return nutOffset_; }
    void setNutOffset(float offset) { nutOffset_ = offset; }
    float fretWidth() const { return fretWidth_; }
    void setFretWidth(float width) { fretWidth_ = width; }

    // Along the neck: fret wire n (wire 0 is the nut's edge), and the middle of fret space n
    // (space 0 is the open string, in front of the nut). Frets past 64 count as 64.
    float positionOfFret(unsigned fret) const;
    float positionOfFinger(unsigned fret) const;
    // The neck from its start to 17 points past the last fret wire, at most 1340.
    float length() const;
    // The fret space whose middle is nearest `along`: 0 to 23, never 24 (the last space is
    // reached from 23); on equal distances the lower fret.
    unsigned fretForPosition(float along) const;
    // Across the neck: string 0 (the thickest) lies lowest on a neck on its side, at the left of
    // an upright right-handed one and at the right of an upright left-handed one.
    float stringPosition(unsigned index) const;

    struct Offset {
        float x = 0.0f;
        float y = 0.0f;
        bool operator==(const Offset&) const = default;
    };
    // The scroll offset that shows fret `fret` near the start of a view of the given size over
    // content of the given size; fret 0 shows the nut's end of the neck.
    Offset scrollOffsetForFret(unsigned fret, float contentWidth, float contentHeight,
                               float boundsWidth, float boundsHeight) const;

private:
    // Position before mirroring.
    float unmirroredFret(unsigned fret) const;
    float unmirroredFinger(unsigned fret) const;
    float mirrored(float position) const;

    bool horizontal_ = false;
    bool leftHanded_ = false;
    float nutOffset_ = 0.0f;
    float fretWidth_ = kDefaultFretWidth;
};

} // namespace fretkit
