#pragma once

#include "AnimationClock.h"
#include "SCFretboardHost.h"
#include "SCMainController.h"
#include "ShellTestSupport.h"
#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioTimeStamp.h"
#include "foundation/ManualTimerScheduler.h"
#include "foundation/UserDefaults.h"
#include "fretboard/FretboardTestSupport.h"
#include "scales/SCSettings.h"
#include "ui/NavigationController.h"
#include "ui/View.h"

#include <QLabel>
#include <memory>
#include <mutex>
#include <vector>

// The scales screen pushed over a home page in the app's window at scale 1, its strums timed by
// a manual clock. The mouse plays at points of the phone screen, through the window, as in the
// fretboard's tests. Settings stored before the screen is made are the ones it opens with.
struct ScalesScreen {
    static constexpr std::uint32_t kBufferFrames = 512;

    explicit ScalesScreen(const fretkit::Bundle* bundle = nullptr) {
        auto owned = std::make_unique<SCMainController>(&timers, bundle);
        screen = owned.get();
        auto stack = std::make_unique<NavigationController>(std::make_unique<ViewController>());
        navigation = stack.get();
        phone.screen().setRootViewController(std::move(stack));
        navigation->pushViewController(std::move(owned), false);
        settle();
    }

    static fretkit::UserDefaults& defaults() {
        shellTestSettings();
        return fretkit::UserDefaults::standard();
    }

    BZFretboard& portrait() const { return *screen->portraitFretboard(); }
    BZFretboard& landscape() const { return *screen->landscapeFretboard(); }

    // Where a point of a neck's content is on the phone screen, on either neck.
    QPoint onNeck(BZFretboard& neck, QPointF point) {
        if (&neck == screen->landscapeFretboard()) {
            return phone.onScreen(neck, point, screen->landscapeView());
        }
        const QPointF inNeck = neck.contentView()->mapTo(&neck, point);
        SCFretboardHost* host = screen->fretboardHost();
        return host->mapTo(&phone.screen(), host->mapFromFretboard(inNeck)).toPoint();
    }
    QPoint centreOf(BZFinger& finger) {
        return onNeck(*finger.fretboard(), QRectF(finger.geometry()).center());
    }
    QPoint centreOf(QWidget& widget) {
        return widget.mapTo(&phone.screen(), widget.rect().center());
    }
    void click(QWidget& widget) { phone.click(centreOf(widget)); }
    // A stroke across the upright neck at its height y, from string 0's side to string 5's or
    // back (`towardsThin` false).
    void strumPortrait(bool towardsThin, double y = 300.0) {
        const double near = 20.0;
        const double far = 232.0;
        BZFretboard& neck = portrait();
        const double along = neck.contentOffset().y() + y;
        phone.drag(onNeck(neck, {towardsThin ? near : far, along}),
                   onNeck(neck, {towardsThin ? far : near, along}), 4);
    }

    // The scale markers on a neck, by their tags.
    std::vector<SCFinger*> markers(BZFretboard& neck) const {
        std::vector<SCFinger*> found;
        for (const auto& finger : neck.fingers()) {
            if (auto* marker = dynamic_cast<SCFinger*>(finger.get())) {
                found.push_back(marker);
            }
        }
        return found;
    }
    SCFinger* marker(BZFretboard& neck, int tag) const {
        for (SCFinger* finger : markers(neck)) {
            if (finger->tag() == tag) {
                return finger;
            }
        }
        return nullptr;
    }
    // The tags of the markers whose halo flashed since the animation clock last moved.
    std::vector<int> lit(BZFretboard& neck) const {
        std::vector<int> tags;
        for (SCFinger* finger : markers(neck)) {
            if (finger->haloOpacity() == 1.0) {
                tags.push_back(finger->tag());
            }
        }
        return tags;
    }

    // One cycle of the audio thread: the render into a zeroed stereo buffer, under the lock the
    // stream would hold (taken here unless the caller holds it). Answers whether it wrote sound.
    bool render(bool lockHeld = false) {
        auto buffer = QVAudioBuffer::bufferWithChannels(2, kBufferFrames);
        std::unique_lock lock(screen->scalePlayer().player().renderLock(), std::defer_lock);
        if (!lockHeld) {
            lock.lock();
        }
        const bool wrote = screen->renderAudioToBuffer(*buffer, QVAudioTimeStamp());
        lastPeak = 0;
        for (std::uint32_t i = 0; i < buffer->frames(); ++i) {
            lastPeak = std::max(lastPeak, std::abs(int{buffer->sampleValueAtIndex(i, 0)}));
        }
        return wrote;
    }
    std::uint32_t sounding() const { return screen->scalePlayer().player().playbackNoteIndex(); }

    // Lets the slides of screens and panels and the necks' scrolls run to their end.
    void settle() { clock.advance(0.6); }

    PhoneWindow phone;
    AnimationClock clock;
    fretkit::ManualTimerScheduler timers;
    NavigationController* navigation = nullptr;
    SCMainController* screen = nullptr;
    int lastPeak = 0;
};
