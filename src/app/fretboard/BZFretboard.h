#pragma once

#include "ui/View.h"

#include <QPointF>
#include <QPointer>
#include <QSizeF>
#include <memory>
#include <vector>

class BZFinger;
class BZFretboardContent;
class BZFretboardDelegate;
class QVariantAnimation;

// The instrument neck that the chords, scales and chord finder screens share: a scroll view over
// a six-string, 24-fret neck (its content view), upright when its frame is taller than wide and
// lying on its side otherwise, for either hand. It places finger views on (string, fret) cells,
// reports taps, plucks, strums and shakes to its delegate, and scrolls to a fret.
//
// Scrolling by the user is off until a screen turns it on; then the mouse wheel scrolls the neck.
// A mouse drag is always a finger on the strings, never a scroll.
class BZFretboard : public View {
    Q_OBJECT

public:
    static constexpr double kScrollDuration = 0.3; // seconds of an animated scroll
    static constexpr double kWheelStep = 40.0;     // points per wheel notch

    // The content is laid out once, for the orientation of `frame`.
    explicit BZFretboard(const QRect& frame, QWidget* parent = nullptr);
    ~BZFretboard() override;

    BZFretboardContent* contentView() const { return content_; }
    // The fingers added, in order; each is shared with whoever made it.
    const std::vector<std::shared_ptr<BZFinger>>& fingers() const { return fingers_; }

    // Not owned; it must outlive the fretboard or be cleared first.
    BZFretboardDelegate* fretboardDelegate() const { return delegate_; }
    void setFretboardDelegate(BZFretboardDelegate* delegate) { delegate_ = delegate; }

    float fretWidth() const;
    // Resizes the scrollable neck to the new length.
    void setFretWidth(float width);
    float nutOffset() const;
    // Set before the neck is first shown; the scrollable length follows.
    void setNutOffset(float offset);
    bool leftHanded() const;
    // A neck on its side then scrolls back to its nut.
    void setLeftHanded(bool leftHanded);

    // Puts the finger on the neck (a subview of the content, above the strings).
    void addFinger(std::shared_ptr<BZFinger> finger);
    // Takes every finger off the neck, also finger views added to the content by other means.
    void removeAllFingers();

    float positionOfFinger(unsigned fret) const;
    float positionOfFret(unsigned fret) const;
    // 0 for an index past the last string.
    float positionOfString(unsigned index) const;
    // Ignored for an index past the last string; redraws when the state changes.
    void setMuted(bool muted, unsigned stringAtIndex);

    // Scrolls, animated, so that the fret shows near the start of the view (the nut for 0).
    void scrollToFret(unsigned fret);
    bool isHorizontal() const { return width() > height(); }

    // The scroll view: the scrollable size, the offset of the content shown at the top left.
    QSizeF contentSize() const { return contentSize_; }
    QPointF contentOffset() const { return contentOffset_; }
    void setContentOffset(QPointF offset, bool animated);
    bool isScrollAnimating() const;
    bool isScrollEnabled() const { return scrollEnabled_; }
    void setScrollEnabled(bool enabled) { scrollEnabled_ = enabled; }

    // Touches another view received (a finger, the screen's view around the neck), handed on to
    // the neck as if they had fallen on it; `source` is the view whose coordinates they are in.
    void touchesBegan(const Touch& touch, const QWidget& source);
    void touchesMoved(const Touch& touch, const QWidget& source);
    void touchesEnded(const Touch& touch, const QWidget& source);
    void touchesCancelled(const Touch& touch, const QWidget& source);

    // Screens make the fretboard first responder to hear shakes.
    bool canBecomeFirstResponder() const override { return true; }
    bool motionBegan(Motion motion) override;
    bool motionEnded(Motion motion) override;
    bool motionCancelled(Motion motion) override;

protected:
    void touchesBegan(const Touch& touch) override;
    void touchesMoved(const Touch& touch) override;
    void touchesEnded(const Touch& touch) override;
    void touchesCancelled(const Touch& touch) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void updateContentSize();
    void applyContentOffset(QPointF offset);
    QPointF clampedOffset(QPointF offset) const;
    Touch toContent(const Touch& touch, const QWidget& source) const;

    BZFretboardContent* content_;
    std::vector<std::shared_ptr<BZFinger>> fingers_;
    BZFretboardDelegate* delegate_ = nullptr;
    QSizeF contentSize_;
    QPointF contentOffset_;
    bool scrollEnabled_ = false;
    QPointer<QVariantAnimation> scrollAnimation_;
};
