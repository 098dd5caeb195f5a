#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fretkit {

// The model of a horizontal strip of items scrolled by dragging: slot widths and the scroll
// value at which each item is centred (its notch), wrap-around, the notch nearest a position,
// the slots' places in a view, the ring of the last ten touch samples and the release rule that
// turns them into an eased glide to a notch. The kit's horizontal picker and the metronome's
// tempo-name strip both stand on it; it knows nothing of screens, clocks or sounds.
class ScrollStrip {
public:
    static constexpr std::int32_t kNotFound = 2147483647;
    static constexpr float kMinimumItemWidth = 26.0f;
    static constexpr std::size_t kTouchSamples = 10;

    // A glide of the scroll value from start to end; times in seconds.
    struct Glide {
        float start = 0.0f;
        float end = 0.0f;
        double startTime = 0.0;
        double duration = 0.0;
        double speed = 0.0; // release speed, points per 1/30 s tick
    };

    static float slotWidth(float measuredWidth, float spacing);
    // The ease-out cubic Bézier (0,0) (0.25,0.5) (0.5,1) (1,1); inputs are clamped to 0 ... 1.
    static float cubicEaseOut(float x);

    // Replaces the slots; the scroll value stays as it is.
    void setWidths(std::vector<float> widths);
    const std::vector<float>& widths() const { return widths_; }
    const std::vector<float>& notches() const { return notches_; }
    std::int32_t scrollerLength() const { return scrollerLength_; }

    bool wraps() const { return wraps_; }
    void setWraps(bool wraps) { wraps_ = wraps; }

    std::int32_t scroll() const { return scroll_; }
    // Stores s (brought into one period when wrapping) and answers whether the move passed a
    // notch, counting the new end and not the old one: the moment to click.
    bool setScroll(std::int32_t s);
    std::int32_t wrapped(std::int32_t s) const;

    // The first item whose notch equals the scroll value, or kNotFound between items.
    std::int32_t selectedIndex() const;
    bool isAtNotch() const { return selectedIndex() != kNotFound; }

    // The notch nearest p, plus p's fractional part; ties go to the lower index. When wrapping,
    // the first item one period later also counts, when strictly nearer.
    float nearestNotchPosition(float p) const;

    // The left edge of every slot in a view whose bounds end at maxX and are centred on midX,
    // or kNotFound for slots that start right of the view.
    std::vector<std::int32_t> positions(float midX, float maxX) const;

    // Touch samples: beginTouch clears the ring and pushes the first one.
    void beginTouch(float x, double time);
    void pushTouch(float x, double time);
    float lastTouchX() const;
    // (newest x - oldest x) / (their time difference) / 30. The oldest slot is the next to be
    // written, so until ten samples were taken it is the cleared one and the speed is near 0.
    double releaseSpeed() const;

    // The glide after a release at `now`: a slow release (|speed| < 5) snaps to the nearest
    // notch in 0.25 s; a flick coasts on with decaying speed for 1 s and lands on a notch.
    Glide releaseGlide(double now) const;
    // The scroll value of a glide at `now`; done when the glide is over (the end value then).
    static std::int32_t glideValue(const Glide& glide, double now, bool& done);

private:
    std::vector<float> widths_;
    std::vector<float> notches_;
    std::int32_t scrollerLength_ = 0;
    std::int32_t scroll_ = 0;
    bool wraps_ = true;
    std::array<float, kTouchSamples> touchX_{};
    std::array<double, kTouchSamples> touchTime_{};
    std::size_t touchIndex_ = 0;
};

} // namespace fretkit
