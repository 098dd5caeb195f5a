#pragma once

#include <QGraphicsView>

class BZFretboard;
class QGraphicsProxyWidget;

// A neck shown at a scale: the fretboard keeps its own size and geometry and is drawn, and
// touched, shrunk to fill the host's height, centred across it. The scales screen shrinks its
// upright neck this way to keep the whole pattern in view above the picker.
class SCFretboardHost : public QGraphicsView {
    Q_OBJECT

public:
    // Makes the fretboard, of `neckSize`, and the host at the same size.
    explicit SCFretboardHost(QSize neckSize, QWidget* parent = nullptr);

    BZFretboard* fretboard() const { return fretboard_; }
    QSize neckSize() const { return neckSize_; }
    // The host's height over the neck's.
    double neckScale() const;
    // The frame that shows the neck at `scale`, centred across `centreX`, from the top.
    QRect frameForScale(double scale, double centreX) const;
    // A point of the host in the fretboard's own coordinates.
    QPointF mapToFretboard(QPointF point) const;
    // A point of the fretboard in the host's coordinates.
    QPointF mapFromFretboard(QPointF point) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize neckSize_;
    BZFretboard* fretboard_;
    QGraphicsProxyWidget* proxy_;
};
