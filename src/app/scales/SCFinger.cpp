#include "SCFinger.h"

#include "fretboard/BZFretboardDelegate.h"
#include "ui/View.h"

SCFinger::SCFinger(BZFretboard& fretboard) : BZFinger(fretboard) {}

double SCFinger::haloOpacity() const {
    const QWidget* shown = halo();
    return shown && shown->isVisible() ? View::alpha(shown) : 0.0;
}

void SCFinger::touchesBegan(const Touch& touch) {
    if (BZFretboard* neck = fretboard()) {
        if (auto* delegate = dynamic_cast<SCFingerTouched*>(neck->fretboardDelegate())) {
            delegate->fingerTouched(*this);
        }
    }
    BZFinger::touchesBegan(touch);
}
