#pragma once

#include "BZString.h"
#include "fretboard/FretboardGeometry.h"
#include "fretboard/FretboardTouch.h"
#include "ui/View.h"

#include <QPixmap>
#include <memory>
#include <vector>

class BZFretboard;
class NeckFrame;

// The neck inside a fretboard's scroll view: it holds the geometry (nut offset, fret width, hand,
// string positions), draws fret numbers, fingerboard, nut, frets, inlays and strings, and reads
// touches as taps, plucks and strums for the fretboard's delegate. It lies on its side when its
// bounds are wider than tall. Finger views are its subviews and lie on top of the neck.
class BZFretboardContent : public View {
    Q_OBJECT

public:
    // `fretboard` is the scroll view it sits in (its parent); null for a neck shown on its own.
    BZFretboardContent(const QRect& frame, BZFretboard* fretboard, QWidget* parent = nullptr);
    ~BZFretboardContent() override;

    static constexpr double kFretNumberAlpha = 0.75;
    static constexpr int kFretNumberSize = 14;

    BZFretboard* fretboard() const { return fretboard_; }
    const fretkit::FretboardGeometry& geometry() const { return geometry_; }
    const std::vector<std::unique_ptr<BZString>>& strings() const { return strings_; }

    bool leftHanded() const { return geometry_.leftHanded(); }
    // Mirrors the neck when the hand changes; string positions follow at once.
    void setLeftHanded(bool leftHanded);
    float nutOffset() const { return geometry_.nutOffset(); }
    void setNutOffset(float offset) { geometry_.setNutOffset(offset); } // no redraw
    float fretWidth() const { return geometry_.fretWidth(); }
    void setFretWidth(float width) { geometry_.setFretWidth(width); } // no redraw

    float positionOfFret(unsigned fret) const { return geometry_.positionOfFret(fret); }
    float positionOfFinger(unsigned fret) const { return geometry_.positionOfFinger(fret); }
    float length() const { return geometry_.length(); }
    // The fret nearest a point of this view, 0 to 23.
    unsigned fretForPosition(QPointF point) const;
    // Lays the strings across the neck for its orientation and hand, and redraws.
    void updateStringPositions();
    bool isHorizontal() const { return width() > height(); }

    // The state of the touch being read, for the curious (tests).
    const fretkit::FretboardTouch& touch() const { return touch_; }

    // Touches, in this view's coordinates; the fretboard and the screens' container views hand
    // theirs on here.
    void touchesBegan(const Touch& touch) override;
    void touchesMoved(const Touch& touch) override;
    void touchesEnded(const Touch& touch) override;
    void touchesCancelled(const Touch& touch) override;

    // Draws the neck without fingers into `painter`, clipped to `clip` (this view's coordinates).
    void drawNeck(QPainter& painter, const QRectF& clip) const;
    // The neck is kept as a picture and drawn again only when something on it changed: its
    // geometry, a string's mute, the screen's scale. Whoever changes a string's picture asks
    // for a fresh one here.
    void redrawNeck();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    fretkit::FretboardTouch::Neck neck(std::vector<fretkit::FretboardTouch::String>& lines) const;
    void report(const std::vector<fretkit::FretboardTouch::Event>& events);
    void drawFretNumbers(QPainter& painter, const QRectF& clip) const;
    void drawWood(const NeckFrame& frame) const;
    // What the kept picture shows; a different key means it must be drawn again.
    struct NeckKey {
        int scale = 0;
        QSize size;
        bool horizontal = false;
        bool leftHanded = false;
        float nutOffset = 0.0f;
        float fretWidth = 0.0f;
        unsigned muted = 0;
        bool operator==(const NeckKey&) const = default;
    };
    NeckKey neckKey() const;
    const QPixmap& neckPicture();
    bool enclosingScrollEnabled() const;
    void setEnclosingScrollEnabled(bool enabled);

    BZFretboard* fretboard_;
    fretkit::FretboardGeometry geometry_;
    std::vector<std::unique_ptr<BZString>> strings_;
    fretkit::FretboardTouch touch_;
    QPixmap neck_;
    NeckKey neckKey_;
};
