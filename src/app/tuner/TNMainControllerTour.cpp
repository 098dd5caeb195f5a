#include "TNMainController.h"
#include "TNNeedleView.h"
#include "TNStrobeView.h"
#include "TourSteps.h"
#include "foundation/Log.h"
#include "host/AudioDeviceLayer.h"
#include "ui/TabBar.h"

#include <QLabel>
#include <cmath>

namespace {

// Whether the app hears a recording (--input FILE), which has notes to show.
bool hearsRecording() {
    const fretkit::host::AudioDevice& device = fretkit::host::AudioDeviceLayer::current();
    return device.driverName() == "file" && device.info().inputChannels > 0;
}

bool settled(const TNNeedleView& needle) {
    return std::fabs(needle.motion().deflection() - needle.motion().resultDeflection()) < 1.0f;
}

} // namespace

// With a recording: the strobe on a note in tune, the needle on a flat one, then the empty state
// on the needle once the recording falls silent. Without one only the empty state. A state the
// recording never reaches is left out with a line in the log; the tour goes on.
bool TNMainController::walkTour(TourSteps& steps) {
    // False only when a picture cannot be written.
    const auto show = [&steps](const std::function<bool()>& condition, const QString& state) {
        if (!steps.reach(condition, QStringLiteral("tuner ") + state)) {
            fretkit::Log::format("tour: the tuner never showed the state %s; no picture of it",
                                 state.toUtf8().constData());
            return true;
        }
        return steps.snap(state);
    };
    const bool recording = hearsRecording();
    const auto inTune = [this] {
        return isStrobeShown() && strobeView_->motion().lastNote() &&
               strobeView_->motion().ring() == TNStrobeMotion::Ring::Green;
    };
    if (recording && !show(inTune, QStringLiteral("strobe-in-tune"))) {
        return false;
    }
    steps.tap(*tabBar_, tabBar_->tabRect(kNeedleTag).center());
    const auto flat = [this] {
        const TNNeedleMotion& needle = needleView_->motion();
        return !isStrobeShown() && needle.leftArrowOn() && !needle.rightArrowOn() &&
               settled(*needleView_);
    };
    if (recording && !show(flat, QStringLiteral("needle-flat"))) {
        return false;
    }
    const auto empty = [this] {
        return !isStrobeShown() && auxNoteLabel_->text() == QStringLiteral("--") &&
               settled(*needleView_);
    };
    if (!show(empty, QStringLiteral("empty"))) {
        return false;
    }
    steps.key(Qt::Key_S);
    return steps.reach([this] { return isStrobeShown(); }, QStringLiteral("tuner"));
}
