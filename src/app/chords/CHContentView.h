#pragma once

#include "ui/View.h"

#include <QPointer>

class BZFretboard;
class QGraphicsProxyWidget;
class QGraphicsScene;
class QGraphicsView;
class QVariantAnimation;

// The portrait chords screen's room for its upright neck. The neck lies in a scene of its own,
// so that the screen can shrink it (when the picker comes up, the neck shrinks into the room
// the picker leaves); a touch on the shrunken neck still reaches the string under the mouse.
// Strokes that begin or stray beside the neck are handed on to it, so that they still pluck.
class CHContentView : public View {
    Q_OBJECT

public:
    // `frame` in the parent; `fretboardFrame` in this view.
    CHContentView(const QRect& frame, const QRect& fretboardFrame, QWidget* parent);
    ~CHContentView() override;

    BZFretboard* fretboard() const { return fretboard_; }

    double fretboardScale() const;
    // The neck's centre in this view.
    QPointF fretboardCentre() const;
    // Scales the neck about its centre and moves that centre, over `seconds` with the screen
    // layer's ease-in-out curve on Qt's animation clock (at once for 0).
    void setFretboardScale(double scale, QPointF centre, double seconds);
    bool isScaling() const;

    // A point of this view in the neck's own coordinates, as the neck is scaled now, and back.
    QPointF mapToFretboard(QPointF point) const;
    QPointF mapFromFretboard(QPointF point) const;

protected:
    void touchesBegan(const Touch& touch) override;
    void touchesMoved(const Touch& touch) override;
    void touchesEnded(const Touch& touch) override;
    void touchesCancelled(const Touch& touch) override;

private:
    Touch toFretboard(const Touch& touch) const;
    void place(double scale, QPointF centre);

    QGraphicsScene* scene_;
    QGraphicsView* graphics_;
    QGraphicsProxyWidget* proxy_;
    BZFretboard* fretboard_;
    QPointer<QVariantAnimation> scaling_;
};
