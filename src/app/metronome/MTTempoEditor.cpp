#include "MTTempoEditor.h"

#include "MTTempoEditorDelegate.h"
#include "MTTempoEditorTitlePicker.h"
#include "MTTempoEditorValueDial.h"

#include <QWheelEvent>
#include <algorithm>

MTTempoEditor::MTTempoEditor(fretkit::TimerScheduler& timers, QWidget* parent)
    : View(parent), titlePicker_(new MTTempoEditorTitlePicker(timers, this)),
      valueDial_(new MTTempoEditorValueDial(timers, this)) {
    titlePicker_->setEditor(this);
    valueDial_->setEditor(this);
}

void MTTempoEditor::setTempo(std::uint32_t tempo) {
    if (!model_.setTempo(tempo)) {
        return;
    }
    titlePicker_->setTempo(model_.tempo());
    if (delegate_ != nullptr) {
        delegate_->tempoEditorValueDidChange(*this);
    }
}

void MTTempoEditor::stepTempo(std::int64_t steps) {
    // Counted in signed numbers: a long drag to the left must not wrap below zero to the top.
    const std::int64_t wanted = std::clamp<std::int64_t>(
        static_cast<std::int64_t>(model_.tempo()) + steps, 0, MTTempoEditorModel::kMaximumTempo);
    setTempo(static_cast<std::uint32_t>(wanted));
}

int MTTempoEditor::wheelNotches(const QWheelEvent& event, int& pending) {
    constexpr int kNotch = 120; // eighths of a degree
    const QPoint delta = event.angleDelta();
    pending += delta.y() != 0 ? delta.y() : -delta.x();
    const int notches = pending / kNotch;
    pending %= kNotch;
    return notches;
}

void MTTempoEditor::resizeEvent(QResizeEvent* event) {
    View::resizeEvent(event);
    titlePicker_->setGeometry(0, 0, width(), kStripHeight);
    valueDial_->setGeometry(0, height() - kDialHeight, width(), kDialHeight);
}
