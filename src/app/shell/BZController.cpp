#include "BZController.h"

#include "audio/QVAudioSession.h"
#include "audio/QVAudioStream.h"
#include "foundation/Bundle.h"
#include "foundation/Log.h"
#include "ui/NavigationController.h"
#include "ui/PhoneScreen.h"
#include "ui/ScreenWindow.h"

#include <algorithm>
#include <mutex>

namespace {

BZController* sharedController = nullptr;

} // namespace

BZController::BZController(ScreenWindow& window, const fretkit::Bundle& bundle)
    : window_(window), bundle_(bundle) {
    sharedController = this;
    xrunTimer_.setInterval(1000);
    connect(&xrunTimer_, &QTimer::timeout, this, &BZController::logXruns);
    xrunClock_.start();
}

BZController::~BZController() {
    applicationWillTerminate();
    if (QVAudioSession* session = QVAudioSession::session();
        session != nullptr && session->delegate() == this) {
        session->setDelegate(nullptr);
    }
    if (sharedController == this) {
        sharedController = nullptr;
    }
}

BZController* BZController::shared() {
    return sharedController;
}

QVAudioStream* BZController::sharedStream() {
    return sharedController != nullptr ? sharedController->stream() : nullptr;
}

QVRenderLockPtr BZController::sharedRenderLock() {
    return sharedController != nullptr ? sharedController->renderLock_
                                       : std::make_shared<QVRenderLock>();
}

std::uint32_t BZController::categoryFor(bool inputAvailable, const fretkit::PlistValue& info) {
    const fretkit::PlistValue* enable = info.isDictionary() ? info.find(kEnableInputKey) : nullptr;
    const bool allowed = enable != nullptr && enable->boolValue();
    return inputAvailable && allowed ? QVAudioSession::kCategoryPlayAndRecord
                                     : QVAudioSession::kCategoryMediaPlayback;
}

void BZController::applicationDidFinishLaunching(std::unique_ptr<ViewController> rootController) {
    // Without a session (its failure was shown already) there is no audio to set up.
    if (QVAudioSession* session = QVAudioSession::session()) {
        setUpSession(*session);
        QVErrorPtr error;
        stream_ = QVAudioStream::withDelegate(this, renderLock_, &error);
        if (!stream_ && error) {
            error->alert(); // the interface still comes up, silent
        }
    }
    setRootController(std::move(rootController));
    window_.show();
}

void BZController::setUpSession(QVAudioSession& session) {
    session.setDelegate(this);
    session.setCategory(categoryFor(session.isInputAvailable(), bundle_.infoDictionary()));
    // With play-and-record the sound goes to the loudspeaker rather than the receiver.
    session.setSpeakerIsDefaultOutput(true);
    session.setPreferredSampleRate(kPreferredSampleRate);
}

void BZController::applicationDidBecomeActive() {
    if (!stream_) {
        return;
    }
    if (QVAudioSession* session = QVAudioSession::session()) {
        session->setActive(true);
    }
    stream_->start();
    xrunTimer_.start();
}

void BZController::applicationWillResignActive() {
    if (stream_) {
        stream_->stop();
    }
    xrunTimer_.stop();
    if (const std::optional<std::string> line = xrunLog_.flush()) {
        fretkit::Log::line(*line);
    }
}

void BZController::logXruns() {
    if (!stream_) {
        return;
    }
    const double now = static_cast<double>(xrunClock_.elapsed()) / 1000.0;
    if (const std::optional<std::string> line =
            xrunLog_.poll(stream_->underrunCount(), stream_->overrunCount(), now)) {
        fretkit::Log::line(*line);
    }
}

void BZController::applicationWillTerminate() {
    xrunTimer_.stop();
    // The stream stops before it goes, so no cycle outlives it.
    stream_.reset();
    unpublish();
}

void BZController::setRootController(std::unique_ptr<ViewController> rootController) {
    replaceRoot([&rootController](PhoneScreen& screen) {
        screen.setRootViewController(std::move(rootController));
        return true;
    });
}

bool BZController::replaceRoot(const std::function<bool(PhoneScreen&)>& change) {
    // The old root may be deleted by the change: it leaves the audio first.
    unpublish();
    if (root_) {
        root_->disconnect(this);
    }
    const bool changed = change(window_.screen());
    followRoot();
    return changed;
}

void BZController::followRoot() {
    root_ = window_.screen().rootViewController();
    if (auto* navigation = qobject_cast<NavigationController*>(root_.data())) {
        connect(navigation, &NavigationController::topViewControllerDidChange, this,
                &BZController::publishFrontmostScreen);
    }
    if (root_) {
        // A root deleted behind our back (the window must outlive this controller, and roots
        // are replaced through replaceRoot) at least reaches no later cycle.
        connect(root_, &QObject::destroyed, this, &BZController::unpublish);
    }
    publishFrontmostScreen();
}

ViewController* BZController::frontmostScreen() const {
    if (auto* navigation = qobject_cast<NavigationController*>(root_.data())) {
        return navigation->topViewController();
    }
    return root_;
}

void BZController::publishFrontmostScreen() {
    ViewController* screen = frontmostScreen();
    ViewController* previous = publishedScreen_;
    const bool hadAudio = dispatch_.isPublished();
    publishedScreen_ = screen;
    dispatch_.publish(dynamic_cast<QVAudioStreamRenderer*>(screen),
                      dynamic_cast<QVAudioStreamInput*>(screen));
    // A screen that left the stack may be deleted once this returns.
    if (hadAudio && previous != screen && !isOnScreen(previous)) {
        waitForRenderCycle();
    }
}

bool BZController::isOnScreen(const ViewController* screen) const {
    if (screen == root_) {
        return true;
    }
    const auto* navigation = qobject_cast<const NavigationController*>(root_.data());
    if (navigation == nullptr) {
        return false;
    }
    const auto& stack = navigation->viewControllers();
    return std::any_of(stack.begin(), stack.end(),
                       [screen](const auto& controller) { return controller.get() == screen; });
}

void BZController::unpublish() {
    const bool wasPublished = dispatch_.isPublished();
    publishedScreen_ = nullptr;
    dispatch_.publish(nullptr, nullptr);
    if (wasPublished) {
        waitForRenderCycle();
    }
}

void BZController::waitForRenderCycle() {
    // Every cycle holds the render lock from start to end: once it is ours, the cycle that may
    // have read the old screen is over, and the next reads the new one.
    std::lock_guard lock(*renderLock_);
}

bool BZController::renderAudioToBuffer(QVAudioBuffer& buffer, const QVAudioTimeStamp& timeStamp) {
    return dispatch_.renderAudioToBuffer(buffer, timeStamp);
}

void BZController::input(QVAudioBuffer& buffer, const QVAudioTimeStamp& timeStamp, bool stereo) {
    dispatch_.input(buffer, timeStamp, stereo);
}
