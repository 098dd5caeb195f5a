#pragma once

#include "fretboard/BZFinger.h"
#include "fretboard/BZFretboard.h"

#include <optional>
#include <vector>

// A finger of a chord shape, which may hold several strings at one fret (a barre): one view
// covering every string it holds, a translucent capsule behind them when there are several,
// and on each held string a disc with the finger's title, dark on the string that sounds the
// chord's root. A pluck flashes a halo on that string's disc alone; each string keeps its halo
// until the finger is placed again.
class CHFinger : public BZFinger {
    Q_OBJECT

public:
    static constexpr unsigned kNotFound = 2147483647;
    static constexpr int kDiscSize = 30;
    static constexpr int kHaloSize = 62;
    // The capsule's colour: a pale, translucent yellow.
    static QColor barreColour() { return QColor::fromRgbF(0.9f, 0.9f, 0.56f, 0.4f); }

    explicit CHFinger(BZFretboard& fretboard);

    // The strings held, rising; the view is placed again to cover them.
    const std::vector<unsigned>& strings() const { return strings_; }
    void setStrings(std::vector<unsigned> strings);
    bool holdsString(unsigned string) const;
    // The chord's root string, or kNotFound; set before the finger goes on the neck.
    unsigned rootStringIndex() const { return rootStringIndex_; }
    void setRootStringIndex(unsigned string);

    // Covers the held strings at the finger's fret, whole points, and drops the halos.
    void updateFrame() override;
    // Flashes the halo on the string's disc, as a pluck of that string does.
    void highlightStringIndex(unsigned string);

    // Where the string's disc lies in the finger (its top left); nothing for a string the
    // finger does not hold.
    std::optional<QPoint> discOrigin(unsigned string) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<unsigned> strings_;
    unsigned rootStringIndex_ = kNotFound;
};
