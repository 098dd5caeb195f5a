#include "TNMainController.h"

#include "BZTuningChoices.h"
#include "TNBackground.h"
#include "TNLED.h"
#include "TNNeedleView.h"
#include "TNStrobeView.h"
#include "TNTrace.h"
#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioSession.h"
#include "audio/QVAudioTimeStamp.h"
#include "foundation/Bundle.h"
#include "foundation/UserDefaults.h"
#include "host/AudioDeviceLayer.h"
#include "kit/QVLabel.h"
#include "kit/QVTableViewCell.h"
#include "tuner/TNNoteLabels.h"
#include "ui/QtTimerScheduler.h"
#include "ui/TabBar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QKeyEvent>

using fretkit::PlistValue;
using fretkit::UserDefaults;

namespace {

// The screen's layout, in points of the 320 x 416 view under the navigation bar.
constexpr QRect kBackground(0, 0, 320, 367);
constexpr QRect kModeLabel(40, 4, 240, 24);
constexpr int kLampTop = 31;
constexpr int kLampLeft = 126; // lamp 4, the quietest; the louder ones follow to the right
constexpr int kLampStep = 18;
constexpr int kLampSize = 14;
constexpr QRect kDisplay(10, 50, 300, 240);
constexpr QRect kMessage(22, 234, 276, 52); // below the needle's pivot
constexpr QRect kNoteLabel(18, 302, 136, 52);
constexpr QRect kCentsLabel(166, 302, 136, 52);
constexpr QRect kTabBar(0, 367, 320, 49);
constexpr QPoint kAboutButton(285, 2);
constexpr double kLampInterval = 1.0 / 30.0;

std::unique_ptr<TNTunerEngine> makeEngine() {
    return TNTunerEngine::create(QVAudioSession::sampleRate(),
                                 TNTunings::fromBundle(fretkit::Bundle::main()));
}

QLabel* makeLabel(QWidget* parent, QRect frame, int pointSize, const QColor& colour) {
    auto* label = new QVLabel(parent);
    label->setGeometry(frame);
    QFont font = label->font();
    font.setPointSizeF(pointSize);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setShadowBlur(2.0f);
    label->setShadowOffset(QPointF(0.0, 1.0));
    return label;
}

// Why the tuner cannot hear anything, or nothing when it can.
QString inputProblem(bool hasEngine) {
    if (!hasEngine) {
        return QStringLiteral("The pitch estimator could not be started, so the tuner cannot "
                              "listen.");
    }
    QVAudioSession* session = QVAudioSession::session();
    if (session == nullptr || !session->isInputAvailable()) {
        return QStringLiteral("No microphone was found. Start Fretkit with --input FILE to "
                              "tune a recording.");
    }
    if (fretkit::host::AudioDeviceLayer::current().driverName() == "virtual") {
        return QStringLiteral("No sound card was found: the tuner hears silence. Start Fretkit "
                              "with --input FILE to tune a recording.");
    }
    return {};
}

const char* ringWord(const TNStrobeView& strobe) {
    switch (strobe.motion().ring()) {
    case TNStrobeMotion::Ring::Green:
        return "green";
    case TNStrobeMotion::Ring::Blue:
        return "blue";
    case TNStrobeMotion::Ring::Gray:
        break;
    }
    return "gray";
}

} // namespace

TNMainController::TNMainController(fretkit::TimerScheduler* scheduler)
    : BZMainController(QStringLiteral("TNMainController")),
      scheduler_(scheduler != nullptr ? *scheduler : QtTimerScheduler::shared()),
      engine_(makeEngine()),
      sampleRate_(QVAudioSession::sampleRate() > 0.0 ? QVAudioSession::sampleRate() : 44100.0),
      trace_(TNTrace::fromEnvironment(kTraceVariable)) {
    if (engine_) {
        engine_->setResultHandler([this](const TNTunerResult& result) { input(result.note); });
    }
}

TNMainController::~TNMainController() {
    if (lampTimer_) {
        lampTimer_->invalidate();
    }
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->removeEventFilter(this);
    }
    if (engine_) {
        engine_->stopAnalysis();
    }
}

void TNMainController::viewDidLoad() {
    BZMainController::viewDidLoad();
    QWidget* screen = view();
    auto* background = new TNBackground(QStringLiteral("TNMainController_background"), screen);
    background->setGeometry(kBackground);
    background->lower();
    buildLamps();
    buildDisplays();
    buildLabels();
    tabBar_ = new TabBar(screen);
    tabBar_->addTab(QStringLiteral("Strobe"));
    tabBar_->addTab(QStringLiteral("Needle"));
    tabBar_->setGeometry(kTabBar);
    tabBar_->setCurrentIndex(kStrobeTag);
    connect(tabBar_, &TabBar::selectedByUser, this, &TNMainController::tabBarDidSelectItem);
    if (QAbstractButton* about = aboutButton()) {
        about->move(kAboutButton);
        about->raise();
    }
    if (engine_) {
        engine_->reloadSettings(UserDefaults::standard());
    }
    const QString problem = inputProblem(engine_ != nullptr);
    messageLabel_->setText(problem);
    messageLabel_->setVisible(!problem.isEmpty());
}

void TNMainController::buildLamps() {
    for (int lamp = 1; lamp <= 4; ++lamp) {
        auto* led = new TNLED(view());
        led->setGeometry(kLampLeft + (4 - lamp) * kLampStep, kLampTop, kLampSize, kLampSize);
        leds_[static_cast<std::size_t>(lamp - 1)] = led;
    }
}

void TNMainController::buildDisplays() {
    strobeView_ = new TNStrobeView(scheduler_, view());
    strobeView_->setGeometry(kDisplay);
    needleView_ = new TNNeedleView(scheduler_, view());
    needleView_->setGeometry(kDisplay);
    needleView_->hide();
}

void TNMainController::buildLabels() {
    const QColor cream(0xf4, 0xe8, 0xcc);
    modeLabel_ = makeLabel(view(), kModeLabel, 13, QColor(0xf6, 0xd8, 0x9a));
    auxNoteLabel_ = makeLabel(view(), kNoteLabel, 24, cream);
    centsLabel_ = makeLabel(view(), kCentsLabel, 21, cream);
    auxNoteLabel_->setText(QStringLiteral("--"));
    centsLabel_->setText(QStringLiteral("--"));
    messageLabel_ = new QLabel(view());
    messageLabel_->setGeometry(kMessage);
    messageLabel_->setWordWrap(true);
    messageLabel_->setAlignment(Qt::AlignCenter);
    messageLabel_->setStyleSheet(
        QStringLiteral("QLabel{color:#f6d89a;background:rgba(20,10,4,215);border:1px solid #8a5a1e;"
                       "border-radius:8px;padding:3px;font-size:11px;font-weight:bold;}"));
}

void TNMainController::viewWillAppear(bool animated) {
    BZMainController::viewWillAppear(animated);
    if (engine_) {
        engine_->startAnalysis();
    }
    modeLabel_->setText(QString::fromStdString(
        engine_ ? engine_->tunings().nameAt(storedTuningIndex()) : TNTunings::kChromatic));
    shownDisplay()->start();
    if (!lampTimer_) {
        lampTimer_ = scheduler_.scheduleRepeating(kLampInterval, [this] { drainLamps(); });
    }
    qApp->installEventFilter(this);
    traceListening_ = trace_ != nullptr;
}

void TNMainController::viewDidDisappear(bool animated) {
    BZMainController::viewDidDisappear(animated);
    qApp->removeEventFilter(this);
    strobeView_->stop();
    needleView_->stop();
    if (lampTimer_) {
        lampTimer_->invalidate();
        lampTimer_.reset();
    }
    if (engine_) {
        engine_->stopAnalysis();
    }
}

std::size_t TNMainController::storedTuningIndex() const {
    const std::int64_t index = UserDefaults::standard().integerForKey(TNTunerEngine::kTuningKey);
    return index < 0 ? 0 : static_cast<std::size_t>(index);
}

void TNMainController::input(QVAudioBuffer& buffer, const QVAudioTimeStamp& timeStamp, bool) {
    const std::int16_t* samples = buffer.channel(0);
    if (!engine_ || samples == nullptr) {
        return;
    }
    // The level of every channel lights the lamps; the first channel is analysed.
    engine_->setLevel(buffer.rms());
    engine_->submit(samples, buffer.frames(), timeStamp.sample());
    heardFrames_.store(timeStamp.sample() + buffer.frames(), std::memory_order_relaxed);
}

void TNMainController::input(const std::optional<TNNote>& note) {
    const TNNoteLabels labels = TNNoteLabels::forNote(note);
    auxNoteLabel_->setText(QString::fromStdString(labels.note));
    centsLabel_->setText(QString::fromStdString(labels.cents));
    shownNote_ = note;
    shownDisplay()->input(note);
    if (trace_) {
        traceNote();
    }
}

double TNMainController::heardSeconds() const {
    return heardFrames_.load(std::memory_order_relaxed) / sampleRate_;
}

bool TNMainController::isStrobeShown() const {
    return !strobeView_->isHidden();
}

TNDisplayView* TNMainController::shownDisplay() const {
    return isStrobeShown() ? static_cast<TNDisplayView*>(strobeView_) : needleView_;
}

void TNMainController::tabBarDidSelectItem(int tag) {
    TNDisplayView* chosen = tag == kStrobeTag   ? static_cast<TNDisplayView*>(strobeView_)
                            : tag == kNeedleTag ? needleView_
                                                : nullptr;
    TNDisplayView* shown = shownDisplay();
    if (chosen == nullptr || chosen == shown) {
        return;
    }
    shown->hide();
    chosen->show();
    shown->stop();
    // The display chosen shows what the labels show, not what it was last given.
    chosen->input(shownNote_);
    chosen->start();
}

void TNMainController::chooseDisplay(int tag) {
    if (tag >= 0 && tag < tabBar_->count()) {
        tabBar_->setCurrentIndex(tag);
    }
    tabBarDidSelectItem(tag);
}

void TNMainController::drainLamps() {
    if (!engine_) {
        return;
    }
    if (traceListening_ && heardFrames_.load(std::memory_order_relaxed) > 0.0) {
        // From here on every note heard is shown.
        trace_->line(QStringLiteral("listening t=%1").arg(heardSeconds(), 0, 'f', 3));
        traceListening_ = false;
    }
    const unsigned lamps = engine_->levelLamps();
    for (std::size_t i = 0; i < leds_.size(); ++i) {
        leds_[i]->setIsOn((lamps & (1u << i)) != 0);
    }
}

bool TNMainController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return BZMainController::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || key->modifiers() != Qt::NoModifier ||
        (key->key() != Qt::Key_S && key->key() != Qt::Key_N)) {
        return false;
    }
    // Only keys typed into the window that shows this screen: the phone screen, or the desktop
    // window that holds it.
    QWidget* phone = view()->window();
    QWidget* host = phone;
    if (QGraphicsProxyWidget* proxy = phone->graphicsProxyWidget();
        proxy != nullptr && proxy->scene() != nullptr && !proxy->scene()->views().isEmpty()) {
        host = proxy->scene()->views().constFirst()->window();
    }
    if (widget->window() != phone && widget->window() != host) {
        return false;
    }
    chooseDisplay(key->key() == Qt::Key_S ? kStrobeTag : kNeedleTag);
    return true;
}

PlistValue TNMainController::choicesForKey(const std::string& key) const {
    return key == TNTunerEngine::kTuningKey ? BZTuningChoices::forTuner() : PlistValue();
}

PlistValue TNMainController::valueOfCell(QVTableViewCell& cell) {
    if (cell.key() == TNTunerEngine::kTuningKey && engine_) {
        // The name of the stored tuning, "Chromatic" for an index the list no longer has.
        return PlistValue(engine_->tunings().nameAt(storedTuningIndex()));
    }
    return BZMainController::valueOfCell(cell);
}

void TNMainController::settingDidChange(const std::string&) {
    if (engine_) {
        engine_->reloadSettings(UserDefaults::standard());
    }
}

void TNMainController::traceNote() {
    const bool strobe = isStrobeShown();
    const QString& letter = shownDisplay()->letterImage();
    trace_->line(
        QStringLiteral("note t=%1 display=%2 note=%3 cents=%4 letter=%5 sharp=%6 ring=%7 "
                       "deflection=%8 target=%9")
            .arg(heardSeconds(), 0, 'f', 3)
            .arg(strobe ? QStringLiteral("strobe") : QStringLiteral("needle"))
            .arg(auxNoteLabel_->text(), centsLabel_->text().remove(QStringLiteral(" c")))
            .arg(letter.isEmpty() ? QStringLiteral("-") : letter)
            .arg(shownDisplay()->isSharpShown() ? 1 : 0)
            .arg(QString::fromLatin1(ringWord(*strobeView_)))
            .arg(static_cast<double>(needleView_->motion().deflection()), 0, 'f', 2)
            .arg(static_cast<double>(needleView_->motion().resultDeflection()), 0, 'f', 2));
}
