#pragma once

#include <QPixmap>
#include <QString>

class NeckFrame;
class QPainter;

// One string of a fretboard: its picture (chosen by gauge), where it lies across the neck, and
// whether it is muted. A muted string stays visible at a third of its opacity.
class BZString {
public:
    static constexpr double kMutedOpacity = 0.33;
    // The picture is drawn this far before the string's position; the string's line lies 2
    // points before it, where fingers centre.
    static constexpr float kImageOffset = 7.0f;

    explicit BZString(int gauge);

    int gauge() const { return gauge_; }
    // "BZString_<gauge>" at the screen's scale, unless another picture was set.
    QPixmap image() const;
    void setImage(const QPixmap& image);

    float position() const { return position_; }
    void setPosition(float position) { position_ = position; } // the owner redraws
    bool muted() const { return muted_; }
    void setMuted(bool muted) { muted_ = muted; } // the owner redraws

    // The picture at (position - 7, 0), in the frame the fretboard sets up for its strings
    // (its own coordinates for an upright neck).
    void draw(QPainter& painter) const;
    void draw(const NeckFrame& frame) const;

private:
    int gauge_;
    QPixmap image_;
    float position_ = 0.0f;
    bool muted_ = false;
};
