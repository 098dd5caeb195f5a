#include "MTMainController.h"

#include "MTMainButton.h"
#include "MTTempoEditor.h"
#include "audio/QVAudioSession.h"
#include "audio/QVAudioStream.h"
#include "foundation/Bundle.h"
#include "foundation/Log.h"
#include "foundation/UserDefaults.h"
#include "kit/QVTableViewCell.h"
#include "metronome/MTSettings.h"
#include "shell/BZController.h"
#include "ui/NavigationBar.h"
#include "ui/QtTimerScheduler.h"
#include "ui/ScreenImage.h"

#include <QKeyEvent>
#include <QLabel>
#include <algorithm>
#include <cmath>

using fretkit::UserDefaults;

namespace {

QString text(const char* key) {
    return QString::fromStdString(
        fretkit::Bundle::main().localizedString(key, {}, "MTMainController"));
}

// The screen below the navigation bar: the tempo on top, the track of the swinging cursor, the
// tempo editor and the buttons.
constexpr QRect kTempoLabelFrame(0, 4, 320, 58);
constexpr QRect kUnitLabelFrame(0, 58, 320, 18);
constexpr QRect kEditorFrame(0, 208, 320, 96);
constexpr QRect kDecrementFrame(10, 314, 64, 44);
constexpr QRect kStartStopFrame(84, 314, 152, 44);
constexpr QRect kIncrementFrame(246, 314, 64, 44);
constexpr QRect kTapFrame(84, 364, 152, 44);

void centre(QWidget* view, QPointF at) {
    ViewAnimation().duration(0.0).center(view, at).commit();
}

} // namespace

MTMainController::MTMainController(fretkit::TimerScheduler* timers)
    : BZMainController(QStringLiteral("MTMainController")),
      timers_(timers != nullptr ? *timers : QtTimerScheduler::shared()),
      engine_(BZController::sharedRenderLock()) {
    if (BZController::sharedStream() != nullptr) {
        engine_.setSampleRate(QVAudioSession::sampleRate());
    }
}

MTMainController::~MTMainController() {
    if (poll_) {
        poll_->invalidate();
    }
    cancelPendingBeats();
}

ViewAnimation::Curve MTMainController::curveForMovementStyle(std::int64_t style) {
    switch (style) {
    case 0:
        return ViewAnimation::Curve::EaseInOut;
    case 2:
        return ViewAnimation::Curve::EaseOut;
    case 3:
        return ViewAnimation::Curve::Linear;
    default:
        return ViewAnimation::Curve::EaseIn;
    }
}

void MTMainController::loadView() {
    // The page below the bar, so that the base's about button lands in its corner.
    auto* view = new QWidget;
    view->resize(kFrameWidth, kFrameHeight - NavigationBar::kHeight);
    view->setFocusPolicy(Qt::StrongFocus);
    view->installEventFilter(this);
    setView(view);
}

QLabel* MTMainController::imageView(const char* image) {
    auto* label = new QLabel(view());
    const QPixmap pixmap = ScreenImage::load(QString::fromLatin1(image));
    label->setPixmap(pixmap);
    label->resize(pixmap.deviceIndependentSize().toSize());
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

MTMainButton* MTMainController::button(const char* image, const char* title, QRect frame) {
    auto* button = new MTMainButton(QString::fromLatin1(image), text(title), view());
    button->setGeometry(frame);
    return button;
}

void MTMainController::viewDidLoad() {
    QLabel* background = imageView("MTMain_background");
    background->move(0, 0);
    burstView_ = imageView("MTMain_burst_bar");
    leftBurstView_ = imageView("MTMain_burst_left");
    rightBurstView_ = imageView("MTMain_burst_right");
    cursorView_ = imageView("MTMain_cursor");
    layOut();

    tempoLabel_ = new QLabel(view());
    tempoLabel_->setGeometry(kTempoLabelFrame);
    tempoLabel_->setAlignment(Qt::AlignCenter);
    tempoLabel_->setStyleSheet(QStringLiteral("color:#f6ead0;font-weight:bold;font-size:52px;"));
    auto* unit = new QLabel(text("MTMainController_bpm"), view());
    unit->setGeometry(kUnitLabelFrame);
    unit->setAlignment(Qt::AlignCenter);
    unit->setStyleSheet(QStringLiteral("color:#d8a85c;font-weight:bold;font-size:13px;"));

    tempoEditor_ = new MTTempoEditor(timers_, view());
    tempoEditor_->setGeometry(kEditorFrame);
    tempoEditor_->setDelegate(this);

    decrementButton_ = button("MTMain_button_tap", "MTMainController_decrement", kDecrementFrame);
    startStopButton_ = button("MTMain_button_start", "MTMainController_start", kStartStopFrame);
    startStopButton_->setSelectedImage(QStringLiteral("MTMain_button_stop"),
                                       text("MTMainController_stop"));
    incrementButton_ = button("MTMain_button_tap", "MTMainController_increment", kIncrementFrame);
    tapButton_ = button("MTMain_button_tap", "MTMainController_tap", kTapFrame);
    connect(startStopButton_, &QAbstractButton::clicked, this, [this] { startStop(); });
    connect(decrementButton_, &QAbstractButton::clicked, this, [this] { decrement(); });
    connect(incrementButton_, &QAbstractButton::clicked, this, [this] { increment(); });
    connect(tapButton_, &QAbstractButton::clicked, this, [this] { tap(); });

    BZMainController::viewDidLoad(); // the settings and about buttons, over the artwork

    // A stored tempo out of any sense is brought into range by the editor, which reports back.
    const std::int64_t stored = UserDefaults::standard().integerForKey(MTSettings::kTempoKey);
    setTempo(static_cast<unsigned>(std::clamp<std::int64_t>(stored, 0, 100000)));
    tempoEditor_->setTempo(tempo_);
    settingDidChange(MTSettings::kTimeSignatureKey);
    loadSound();
}

void MTMainController::layOut() {
    burstView_->move(0, static_cast<int>(kTrackY) - burstView_->height() / 2);
    leftBurstView_->move(0, static_cast<int>(kTrackY) - leftBurstView_->height() / 2);
    rightBurstView_->move(static_cast<int>(kTrackRight) - rightBurstView_->width(),
                          static_cast<int>(kTrackY) - rightBurstView_->height() / 2);
    for (QLabel* flash : {burstView_, leftBurstView_, rightBurstView_}) {
        View::setAlpha(flash, 0.0);
    }
    centre(cursorView_, {kRestX, kTrackY});
}

void MTMainController::viewDidAppear(bool) {
    view()->setFocus(); // the keys go to the screen
}

void MTMainController::setTempo(unsigned tempo) {
    engine_.setTempo(tempo);
    tempo_ = tempo;
    UserDefaults::standard().setInteger(tempo, MTSettings::kTempoKey);
}

void MTMainController::showTempo() {
    tempoLabel_->setText(QString::number(tempo_));
}

void MTMainController::tempoEditorValueDidChange(MTTempoEditor& editor) {
    setTempo(editor.tempo());
    showTempo();
}

void MTMainController::increment() {
    if (tempo_ >= MTTempoEditorModel::kMaximumTempo) {
        return;
    }
    setTempo(tempo_ + 1);
    showTempo();
    tempoEditor_->setTempo(tempo_);
}

void MTMainController::decrement() {
    if (tempo_ <= MTTempoEditorModel::kMinimumTempo) {
        return;
    }
    setTempo(tempo_ - 1);
    showTempo();
    tempoEditor_->setTempo(tempo_);
}

void MTMainController::tap() {
    if (const std::optional<std::uint32_t> tempo = taps_.tap(timers_.now())) {
        tempoEditor_->setTempo(*tempo);
    }
}

void MTMainController::startStop() {
    if (!engine_.isPlaying()) {
        centre(cursorView_, {0.0, kTrackY});
        if (QVAudioStream* stream = BZController::sharedStream()) {
            latency_ = stream->outputLatency();
            engine_.setSampleRate(QVAudioSession::sampleRate());
        }
        engine_.start();
        poll_ = timers_.scheduleRepeating(kPollInterval, [this] { pollBeats(); });
    } else {
        engine_.stop();
        poll_->invalidate();
        poll_.reset();
        cancelPendingBeats();
        engine_.beatSignal().take(); // a beat placed just before the stop is not shown
        ViewAnimation(QStringLiteral("stop"))
            .duration(kStopDuration)
            .curve(ViewAnimation::Curve::Linear)
            .beginFromCurrentState(true)
            .center(cursorView_, {kRestX, kTrackY})
            .commit();
    }
    startStopButton_->setSelected(engine_.isPlaying());
}

bool MTMainController::renderAudioToBuffer(QVAudioBuffer& buffer,
                                           const QVAudioTimeStamp& timeStamp) {
    return engine_.renderAudioToBuffer(buffer, timeStamp);
}

void MTMainController::pollBeats() {
    if (const std::optional<MTBeat> beat = engine_.beatSignal().take()) {
        showWhenHeard(*beat);
    }
}

void MTMainController::showWhenHeard(const MTBeat& beat) {
    const double delay = beat.delayUntilHeard(timers_.now(), latency_);
    if (delay <= 0.0) {
        animateDisplay(beat);
        return;
    }
    std::erase_if(pending_, [](const auto& timer) { return !timer->isValid(); });
    // A one-time timer: it ends itself when it fires. It knows itself only weakly, so that no
    // cycle keeps it alive once the scheduler and this screen let it go.
    auto self = std::make_shared<std::weak_ptr<fretkit::RepeatingTimer>>();
    auto timer = timers_.scheduleRepeating(delay, [this, beat, self] {
        if (const auto fired = self->lock()) {
            fired->invalidate();
        }
        animateDisplay(beat);
    });
    *self = timer;
    pending_.push_back(std::move(timer));
}

void MTMainController::cancelPendingBeats() {
    for (const auto& timer : pending_) {
        timer->invalidate();
    }
    pending_.clear();
}

void MTMainController::flash(QLabel* view) {
    View::setAlpha(view, 1.0);
    ViewAnimation(QStringLiteral("flash"))
        .duration(kFlashDuration)
        .curve(ViewAnimation::Curve::EaseOut)
        .beginFromCurrentState(true)
        .alpha(view, 0.0)
        .commit();
}

void MTMainController::animateDisplay(const MTBeat& beat) {
    ++animationCount_;
    const UserDefaults& defaults = UserDefaults::standard();
    if (beat.startsBar && defaults.boolForKey(MTSettings::kFlashOnBarKey)) {
        flash(burstView_);
    }
    flash(beat.polarity ? leftBurstView_ : rightBurstView_);
    ViewAnimation(QStringLiteral("swing"))
        .duration(60.0 / std::max(tempo_, 1u))
        .curve(curveForMovementStyle(defaults.integerForKey(MTSettings::kMovementStyleKey)))
        .center(cursorView_, {beat.polarity ? kTrackRight : 0.0, kTrackY})
        .commit();
}

void MTMainController::loadSound() {
    std::string name = UserDefaults::standard().stringForKey(MTSettings::kSoundNameKey);
    std::string error;
    auto click = MTSettings::loadClick(fretkit::Bundle::main(), name, &error);
    if (!click && name != MTSettings::kDefaultSoundName) {
        // A stored name the bundle no longer has: the metronome must not fall silent.
        fretkit::Log::format("MTMainController -- %s; playing '%s' instead", error.c_str(),
                             MTSettings::kDefaultSoundName);
        click =
            MTSettings::loadClick(fretkit::Bundle::main(), MTSettings::kDefaultSoundName, &error);
    }
    if (!click) {
        fretkit::Log::format("MTMainController -- %s", error.c_str());
    }
    engine_.setSoundData(click ? std::move(*click) : std::vector<std::int16_t>());
}

void MTMainController::settingDidChange(const std::string& key) {
    engine_.setTimeSignature(MTTimeSignature(static_cast<std::uint32_t>(
        UserDefaults::standard().integerForKey(MTSettings::kTimeSignatureKey))));
    if (key == MTSettings::kSoundNameKey) {
        loadSound();
    }
}

std::optional<QString> MTMainController::footerForSection(unsigned section) {
    const fretkit::PlistValue sections =
        fretkit::Bundle::main()
            .propertyList(settingsListName(className()).toStdString())
            .value_or(fretkit::PlistValue::array());
    if (section + 1 != sections.count()) {
        return std::nullopt;
    }
    const fretkit::PlistValue* own = sections[section].find("footer");
    QVAudioStream* stream = BZController::sharedStream();
    const double latency = engine_.isPlaying() ? latency_ : stream ? stream->outputLatency() : 0.0;
    const QString line =
        text("MTMainController_latency")
            .replace(QStringLiteral("%@"), QString::number(std::lround(latency * 1000.0)));
    return own != nullptr ? QVTableViewCell::localized(*own) + QLatin1Char('\n') + line : line;
}

bool MTMainController::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view() || event->type() != QEvent::KeyPress) {
        return BZMainController::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat() && (key->key() == Qt::Key_Space || key->key() == Qt::Key_T)) {
        return true; // a held key starts, stops or taps once
    }
    switch (key->key()) {
    case Qt::Key_Space:
        startStop();
        return true;
    case Qt::Key_T:
        tap();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        increment();
        return true;
    case Qt::Key_Down:
    case Qt::Key_Minus:
        decrement();
        return true;
    default:
        return BZMainController::eventFilter(watched, event);
    }
}
