#pragma once

#include "kit/ScrollStrip.h"

#include <cstdint>
#include <optional>
#include <vector>

// The strip of tempo names without its view: a finger drags it, a release lets it coast and
// snap to a name, and the tempo becomes that name's middle value on the glide's last step only.
// A tempo set from elsewhere moves the strip to its name: at once the first time, later in a
// 0.33 s glide that sets nothing. Every move that passes a name clicks, once per move.
class MTTempoStripModel {
public:
    static constexpr double kOutsideGlide = 0.33; // seconds
    static constexpr double kSnapGlide = 0.25;    // seconds

    // What one move of the strip asks for.
    struct Move {
        bool click = false;
        std::optional<std::uint32_t> tempo; // the tempo the strip came to rest on
    };

    // The slot widths of the names, in strip order (MTTempoEditorModel::names()).
    explicit MTTempoStripModel(std::vector<float> widths = {});
    void setWidths(std::vector<float> widths);

    const fretkit::ScrollStrip& strip() const { return strip_; }
    std::int32_t scroll() const { return strip_.scroll(); }
    bool isMoving() const { return moving_; }
    bool isGliding() const { return gliding_; }

    // Touches, x in the view and the time in seconds. A touch stops any glide.
    void beginTouch(float x, double now);
    Move moveTouch(float x, double now);
    // Starts the glide of the release.
    void endTouch(float x, double now);

    // Shows the name of a tempo set from elsewhere; a tempo no name holds (280) changes nothing.
    // The first time the strip jumps there, silently; later it glides (a running glide takes
    // the new end).
    Move showTempo(std::uint32_t tempo, double now);

    // Moves the strip `names` names on (towards the faster ones when positive) from the name it
    // rests on or glides to, in the glide of a slow release, which sets that name's tempo as it
    // lands. Nothing happens while a finger holds the strip.
    void stepNames(int names, double now);

    // One step of the running glide at `now` (every 1/30 s); the last one ends the glide.
    Move glide(double now);

private:
    Move setScroll(std::int32_t scroll, bool click);
    void startGlide(const fretkit::ScrollStrip::Glide& glide);

    fretkit::ScrollStrip strip_;
    bool moving_ = false;
    bool fromTouch_ = false;
    bool gliding_ = false;
    bool placed_ = false;
    fretkit::ScrollStrip::Glide glide_;
};
