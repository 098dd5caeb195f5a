#pragma once

#include "audio/QVAudioSessionDelegate.h"
#include "audio/QVAudioStreamDelegate.h"
#include "audio/QVRenderLock.h"
#include "audio/QVXrunLog.h"
#include "shell/BZAudioDispatch.h"
#include "ui/ViewController.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>

class PhoneScreen;
class QVAudioSession;
class QVAudioStream;
class ScreenWindow;

namespace fretkit {
class Bundle;
class PlistValue;
} // namespace fretkit

// The application delegate and the one owner of the audio stream. At launch it sets up the
// audio session, builds the stream with itself as the stream's delegate and puts the root screen
// in the window; afterwards it starts and stops the stream with the application's life cycle and
// forwards every audio callback to the frontmost screen: the top of the root navigation stack,
// or the root itself. A screen takes part in audio by deriving from QVAudioStreamRenderer and/or
// QVAudioStreamInput as well; it is asked from the moment it is pushed, before its view loads,
// until its pop returns.
//
// Tools reach the stream through BZController::sharedStream(), make their engines with
// BZController::sharedRenderLock() and take that lock around every change of what they play. A pop
// must not happen while the main thread holds the render lock: it waits for the cycle in progress
// to end, so the popped screen is free to go.
class BZController : public QObject,
                     public QVAudioStreamDelegate,
                     public QVAudioStreamRenderer,
                     public QVAudioStreamInput,
                     public QVAudioSessionDelegate,
                     public QVAudioSessionInterruptionObserver,
                     public QVAudioSessionResumeObserver {
    Q_OBJECT

public:
    static constexpr double kPreferredSampleRate = 44100.0;
    static constexpr const char* kEnableInputKey = "BZEnableInput";

    // The bundle's information dictionary decides whether recording is allowed.
    BZController(ScreenWindow& window, const fretkit::Bundle& bundle);
    ~BZController() override;

    // The application's delegate while it exists.
    static BZController* shared();
    // Its stream; null without a delegate or without audio, when nothing renders either.
    static QVAudioStream* sharedStream();
    // The render lock of its stream, for the engines that mix into it. The controller makes it
    // before the stream, so it exists without audio too; without a controller, nothing renders
    // and a lock of the engine's own is as good.
    static QVRenderLockPtr sharedRenderLock();

    // The session category: play-and-record when there is input and the information dictionary
    // allows it, else media playback.
    static std::uint32_t categoryFor(bool inputAvailable, const fretkit::PlistValue& info);

    void applicationDidFinishLaunching(std::unique_ptr<ViewController> rootController);
    void applicationDidBecomeActive();
    void applicationWillResignActive();
    void applicationWillTerminate();

    // Null when the stream could not be built, or after termination.
    QVAudioStream* stream() const { return stream_.get(); }
    ViewController* rootController() const { return root_; }
    ScreenWindow& window() const { return window_; }

    // Puts another root on the phone screen, the old one leaving the audio first.
    void setRootController(std::unique_ptr<ViewController> rootController);
    // Lets `change` put a root on the phone screen itself (false: it did not), then follows it.
    bool replaceRoot(const std::function<bool(PhoneScreen&)>& change);

    // The screen audio goes to (main thread).
    ViewController* frontmostScreen() const;

    // Main thread: logs the device's dropouts, one line per burst; a timer calls it once a
    // second while the application is active.
    void logXruns();

    bool renderAudioToBuffer(QVAudioBuffer& buffer,
                             const QVAudioTimeStamp& timeStamp) FRETKIT_NONBLOCKING override;
    void input(QVAudioBuffer& buffer, const QVAudioTimeStamp& timeStamp,
               bool stereo) FRETKIT_NONBLOCKING override;

    // An interruption changes nothing by itself; the next activation restarts the stream.
    void audioSessionWasInterrupted(QVAudioSession&) override {}
    void audioSessionDidResume(QVAudioSession&) override {}

private:
    void setUpSession(QVAudioSession& session);
    void followRoot();
    void publishFrontmostScreen();
    // Whether the screen is the root or in the root's stack (compares pointers only).
    bool isOnScreen(const ViewController* screen) const;
    void unpublish();
    void waitForRenderCycle();

    ScreenWindow& window_;
    const fretkit::Bundle& bundle_;
    QPointer<ViewController> root_;
    const QVRenderLockPtr renderLock_ = std::make_shared<QVRenderLock>();
    std::unique_ptr<QVAudioStream> stream_;
    BZAudioDispatch dispatch_;
    QTimer xrunTimer_;
    QElapsedTimer xrunClock_;
    QVXrunLog xrunLog_;
    ViewController* publishedScreen_ = nullptr; // compared, never followed
};
