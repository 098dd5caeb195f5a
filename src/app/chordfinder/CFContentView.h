#pragma once

#include "ui/View.h"

class BZFretboard;

// The chord finder's portrait page: its background, and the room around the neck. Touches on it
// go on to the fretboard, so that a stroke that starts beside the neck still reaches the strings.
class CFContentView : public View {
    Q_OBJECT

public:
    explicit CFContentView(QWidget* parent = nullptr);

    BZFretboard* fretboard() const { return fretboard_; }
    void setFretboard(BZFretboard* fretboard) { fretboard_ = fretboard; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void touchesBegan(const Touch& touch) override;
    void touchesMoved(const Touch& touch) override;
    void touchesEnded(const Touch& touch) override;
    void touchesCancelled(const Touch& touch) override;

private:
    BZFretboard* fretboard_ = nullptr; // a subview: it goes with this view
};
