#pragma once

#include "ui/View.h"

#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

class BZFretboard;

// A finger marker: a disc on one (string, fret) cell of a fretboard with a short title (a finger
// number, a note or an interval), yellow or black, that can flash a halo. The chords, scales and
// chord finder screens derive their own markers from it: they override updateFrame, drawing and
// touches. Touches on a plain finger go on to the neck beneath, as if the finger were not there.
//
// Fingers are shared: the fretboard holds the ones on its neck, and a screen may keep its own to
// put them back later. Never drop the last reference from inside the finger's own handlers.
class BZFinger : public View {
    Q_OBJECT

public:
    enum BackgroundStyle : unsigned { Yellow = 0, Black = 1 };

    static constexpr int kSize = 32;
    static constexpr int kMaximumWidth = 36;
    static constexpr int kTitleFontSize = 19;
    static constexpr int kBackgroundCap = 14;
    static constexpr int kHaloOutset = 16;
    static constexpr int kHaloCap = 31;
    static constexpr double kHighlightDuration = 2.0;

    // A new finger of class Finger (BZFinger or a subclass) for the fretboard.
    template <typename Finger = BZFinger>
    static std::shared_ptr<Finger> fingerForFretboard(BZFretboard& fretboard) {
        return std::make_shared<Finger>(fretboard);
    }

    // A 32 x 32 yellow finger without title on string 0, fret 0; not yet on the neck.
    explicit BZFinger(BZFretboard& fretboard);
    ~BZFinger() override;

    // Null once the fretboard is gone.
    BZFretboard* fretboard() const { return fretboard_; }

    unsigned backgroundStyle() const { return backgroundStyle_; }
    void setBackgroundStyle(unsigned style);
    const QString& title() const { return title_; }
    // Measures the title (bold, 19): the finger grows to the text's width + 6, between 32 and
    // 36, and is placed again. The same title again changes nothing.
    void setTitle(const QString& title);
    unsigned string() const { return string_; }
    void setString(unsigned string);
    unsigned fret() const { return fret_; }
    void setFret(unsigned fret);
    // A number the screen gives the finger (a string, a note's index).
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    // Centres the finger on its cell, in whole points. Subclasses that cover other shapes
    // override it.
    virtual void updateFrame();

    // Flashes the halo: full at once, fading out over two seconds; again restarts it.
    void highlight();
    // The halo with the tag (0 for highlight's), or null when none was made.
    QWidget* halo(int tag = 0) const;

    // The font of titles, and the two discs, loaded once per screen scale.
    static QFont titleFont();
    static const QPixmap& yellowBackground();
    static const QPixmap& blackBackground();

    // A title as the discs show it, embossed, with its text box's top left at `at`: on a black
    // disc a pale yellow title over a black shadow above it, on a yellow disc a black title
    // over a white light below it.
    static void drawTitle(QPainter& painter, const QString& title, QPointF at, bool black);

protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool event(QEvent* event) override;

    // Touches on the finger go on to the neck.
    void touchesBegan(const Touch& touch) override;
    void touchesMoved(const Touch& touch) override;
    void touchesEnded(const Touch& touch) override;
    void touchesCancelled(const Touch& touch) override;

    // Halos lie over the finger but may reach beyond it, so they are views beside it that move
    // with it. `rect` is in this finger's coordinates. Flashing restarts the fade.
    void flashHalo(int tag, const QRect& rect);
    void removeHalos();

private:
    struct Halo {
        int tag;
        QRect rect;
        QPointer<QWidget> view;
    };
    void placeHalos();
    bool showsHalos() const;

    QPointer<BZFretboard> fretboard_;
    unsigned backgroundStyle_ = Yellow;
    QString title_;
    unsigned string_ = 0;
    unsigned fret_ = 0;
    int tag_ = 0;
    std::vector<Halo> halos_;
};
