#include "SCContentView.h"

#include "SCFretboardHost.h"
#include "fretboard/BZFretboard.h"

SCContentView::SCContentView(QWidget* parent) : View(parent) {}

BZFretboard* SCContentView::fretboard() const {
    return fretboard_;
}

void SCContentView::setFretboard(BZFretboard* fretboard) {
    fretboard_ = fretboard;
    host_ = nullptr;
}

void SCContentView::setFretboardHost(SCFretboardHost* host) {
    host_ = host;
    fretboard_ = host ? host->fretboard() : nullptr;
}

Touch SCContentView::forNeck(const Touch& touch) const {
    if (!host_) {
        return touch;
    }
    // The host draws the neck scaled, in a scene of its own: map through its transformation.
    const QPointF offset = host_->pos();
    return {host_->mapToFretboard(touch.location - offset),
            host_->mapToFretboard(touch.previousLocation - offset), touch.timestamp};
}

const QWidget& SCContentView::neckSource() const {
    return host_ ? static_cast<const QWidget&>(*fretboard_) : *this;
}

void SCContentView::touchesBegan(const Touch& touch) {
    if (fretboard_) {
        fretboard_->touchesBegan(forNeck(touch), neckSource());
    }
}

void SCContentView::touchesMoved(const Touch& touch) {
    if (fretboard_) {
        fretboard_->touchesMoved(forNeck(touch), neckSource());
    }
}

void SCContentView::touchesEnded(const Touch& touch) {
    if (fretboard_) {
        fretboard_->touchesEnded(forNeck(touch), neckSource());
    }
}

void SCContentView::touchesCancelled(const Touch& touch) {
    if (fretboard_) {
        fretboard_->touchesCancelled(forNeck(touch), neckSource());
    }
}
