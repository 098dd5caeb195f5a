// The metronome's own states in the screenshot tour: the strip gliding after a flick, the
// cursor mid-swing with a beat flash, a bar flash, and the screen stopped again. The tour
// changes the tempo, the time signature and the bar flash on the way and puts back what the
// user had.
#include "MTMainButton.h"
#include "MTMainController.h"
#include "MTTempoEditor.h"
#include "MTTempoEditorTitlePicker.h"
#include "audio/QVAudioStream.h"
#include "foundation/UserDefaults.h"
#include "metronome/MTSettings.h"
#include "shell/BZController.h"
#include "shell/TourSteps.h"

#include <QLabel>

using fretkit::PlistValue;
using fretkit::UserDefaults;

namespace {

constexpr int kBeatTimeoutMs = 5000;

// Waits, in real time, for the screen's next beat animation; false when none comes.
bool nextBeat(TourSteps& steps, const MTMainController& screen) {
    const int before = screen.animationCount();
    for (int waited = 0; waited < kBeatTimeoutMs; waited += 5) {
        steps.pause(5);
        if (screen.animationCount() != before) {
            return true;
        }
    }
    return false;
}

} // namespace

bool MTMainController::walkTour(TourSteps& steps) {
    const unsigned tempo = tempo_;
    MTTempoEditorTitlePicker& strip = *tempoEditor_->titlePicker();
    // A flick to the left: the strip coasts towards the faster names.
    const QPoint from(strip.width() * 3 / 4, strip.height() / 2);
    steps.drag(strip, from, from - QPoint(90, 0), 6);
    steps.pause(90);
    if (!steps.snap(QStringLiteral("strip-gliding")) ||
        !steps.reach([&strip] { return !strip.isAutoscrolling(); }, QStringLiteral("strip"))) {
        return false;
    }
    tempoEditor_->setTempo(tempo);
    QVAudioStream* stream = BZController::sharedStream();
    if (stream != nullptr && stream->isRunning()) {
        UserDefaults& defaults = UserDefaults::standard();
        const PlistValue signature = defaults.objectForKey(MTSettings::kTimeSignatureKey);
        const PlistValue flashOnBar = defaults.objectForKey(MTSettings::kFlashOnBarKey);
        const bool walked = walkPlaying(steps);
        defaults.setObject(signature, MTSettings::kTimeSignatureKey);
        defaults.setObject(flashOnBar, MTSettings::kFlashOnBarKey);
        settingDidChange(MTSettings::kTimeSignatureKey);
        if (!walked) {
            return false;
        }
    }
    return steps.reach([&strip] { return !strip.isAutoscrolling(); }, QStringLiteral("stopped")) &&
           steps.snap(QStringLiteral("stopped"));
}

bool MTMainController::walkPlaying(TourSteps& steps) {
    steps.tap(*startStopButton_, startStopButton_->rect().center());
    // Mid-swing: nearly half a beat after the click, while its flash fades.
    if (!nextBeat(steps, *this) || !nextBeat(steps, *this)) {
        return false;
    }
    steps.pause(static_cast<int>(0.45 * 60000.0 / tempo_));
    if (!steps.snap(QStringLiteral("playing"))) {
        return false;
    }
    // Four beats to the bar, flashed: caught just after the first beat of a bar.
    UserDefaults::standard().setInteger(4, MTSettings::kTimeSignatureKey);
    UserDefaults::standard().setBool(true, MTSettings::kFlashOnBarKey);
    settingDidChange(MTSettings::kTimeSignatureKey);
    for (int beat = 0; beat < 8; ++beat) {
        if (!nextBeat(steps, *this)) {
            return false;
        }
        if (View::alpha(burstView_) > 0.9) {
            break;
        }
    }
    steps.pause(60);
    if (!steps.snap(QStringLiteral("bar-flash"))) {
        return false;
    }
    steps.tap(*startStopButton_, startStopButton_->rect().center());
    return steps.reach([this] { return !isPlaying(); }, QStringLiteral("stopped"));
}
