#pragma once

#include "ui/View.h"

#include <QPointer>

class BZFretboard;
class SCFretboardHost;

// The room around a neck on the scales screen: touches that begin on it go on to the neck as if
// they had fallen there, so that a stroke may start beside the neck.
class SCContentView : public View {
    Q_OBJECT

public:
    explicit SCContentView(QWidget* parent = nullptr);

    BZFretboard* fretboard() const;
    // A neck in the same widget tree as this view.
    void setFretboard(BZFretboard* fretboard);
    // A neck shown at a scale by a host inside this view.
    void setFretboardHost(SCFretboardHost* host);

protected:
    void touchesBegan(const Touch& touch) override;
    void touchesMoved(const Touch& touch) override;
    void touchesEnded(const Touch& touch) override;
    void touchesCancelled(const Touch& touch) override;

private:
    // The touch in the coordinates of the view the neck is given it in.
    Touch forNeck(const Touch& touch) const;
    const QWidget& neckSource() const;

    QPointer<BZFretboard> fretboard_;
    QPointer<SCFretboardHost> host_;
};
