#include "CFMainController.h"

#include "BZController.h"
#include "BZTuningChoices.h"
#include "CFContentView.h"
#include "audio/QVAudioSession.h"
#include "audio/QVAudioStream.h"
#include "chordfinder/CFSettings.h"
#include "foundation/Bundle.h"
#include "foundation/TimerScheduler.h"
#include "foundation/UserDefaults.h"
#include "fretboard/BZFretboard.h"
#include "fretboard/BZLandscapeView.h"
#include "fretboard/BZStringTitle.h"
#include "kit/QVClickSound.h"
#include "kit/QVHintCurtain.h"
#include "ui/NavigationBar.h"
#include "ui/QtTimerScheduler.h"
#include "ui/ScreenImage.h"
#include "ui/ViewAnimation.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <cmath>

using fretkit::CFChordFinder;
using fretkit::CFChordNamer;
using fretkit::PlistValue;
using fretkit::UserDefaults;

namespace {

// The portrait page below the navigation bar, 320 x 416: the chord name on its panel, the
// string titles, the upright neck down to the bottom, the hint button in the corner the about
// button leaves free.
constexpr QRect kChordPanel(10, 6, 300, 48);
constexpr int kPortraitTitlesY = 58;
constexpr QRect kPortraitNeck(40, 94, 240, 322);
constexpr QRect kHintButton(8, 378, 30, 30);
// The landscape page, 480 x 320: the chord name in the bar, the lying neck below it with the
// titles beside its nut.
constexpr int kLandscapeNeckY = 56;
constexpr int kLandscapeNeckWidth = 444;

QString text(const char* key) {
    return QString::fromStdString(fretkit::Bundle::main().localizedString(key, ""));
}

double sessionSampleRate() {
    const double rate = QVAudioSession::sampleRate();
    return rate > 0.0 ? rate : BZController::kPreferredSampleRate;
}

// Made once, on first use, and kept: every screen plays the same sound.
QVClickSound& removeSound() {
    static auto* sound = new QVClickSound("CF_remove", "wav");
    return *sound;
}

} // namespace

CFMainController::CFMainController(fretkit::TimerScheduler* timers)
    : BZMainController(QStringLiteral("CFMainController")),
      timers_(timers != nullptr ? *timers : QtTimerScheduler::shared()),
      // The strings' playback shares the stream's render lock.
      finder_(std::make_unique<CFChordFinder>(BZController::sharedRenderLock(),
                                              fretkit::Bundle::main(), sessionSampleRate())) {}

CFMainController::~CFMainController() {
    finder_->player().stopPlayback();
    if (strum_) {
        strum_->invalidate();
    }
    delete removeAllAlert_.data();
    for (BZFretboard* fretboard : {portraitFretboard_, landscapeFretboard_}) {
        if (fretboard) {
            fretboard->setFretboardDelegate(nullptr);
            fretboard->removeAllFingers();
        }
    }
}

void CFMainController::loadView() {
    content_ = new CFContentView;
    content_->resize(kFrameWidth, kFrameHeight - NavigationBar::kHeight);
    content_->installEventFilter(this);
    setView(content_);
}

void CFMainController::viewDidLoad() {
    buildPortrait();
    buildLandscape();
    BZMainController::viewDidLoad(); // the settings and about buttons, over the page
    readTuning();
    applyHand();
}

BZStringTitle* CFMainController::makeTitle(QWidget* parent, int tag) {
    auto* title = new BZStringTitle(parent);
    title->setTag(tag);
    // The keys belong to the neck: Space must strum, not press the last title clicked.
    title->setFocusPolicy(Qt::NoFocus);
    connect(title, &QAbstractButton::clicked, this, [this, title] { toggleString(*title); });
    return title;
}

std::shared_ptr<CFFinger> CFMainController::makeFinger(BZFretboard& fretboard) {
    return std::make_shared<CFFinger>(fretboard, timers_);
}

void CFMainController::buildPortrait() {
    auto* panel = new QLabel(content_);
    panel->setPixmap(ScreenImage::load(QStringLiteral("CFMain_chordPanel")));
    panel->setGeometry(kChordPanel);
    panel->setAttribute(Qt::WA_TransparentForMouseEvents);
    portraitChordName_ = new QLabel(content_);
    portraitChordName_->setGeometry(kChordPanel.adjusted(8, 0, -8, 0));
    portraitChordName_->setAlignment(Qt::AlignCenter);
    portraitChordName_->setStyleSheet(
        QStringLiteral("color:#f6ecd6;background:transparent;font-weight:bold;font-size:26px;"));
    portraitChordName_->setAttribute(Qt::WA_TransparentForMouseEvents);

    portraitFretboard_ = new BZFretboard(kPortraitNeck, content_);
    portraitFretboard_->setFretboardDelegate(this);
    portraitFretboard_->setScrollEnabled(true);
    portraitFretboard_->setFretWidth(kPortraitFretWidth);
    portraitFretboard_->installEventFilter(this);
    content_->setFretboard(portraitFretboard_);
    for (unsigned s = 0; s < kStrings; ++s) {
        portraitTitles_[s] = makeTitle(content_, static_cast<int>(s));
        portraitFingers_[s] = makeFinger(*portraitFretboard_);
    }

    auto* hint = new QPushButton(content_);
    hint->setIcon(QIcon(ScreenImage::load(QStringLiteral("CFMain_hint"))));
    hint->setIconSize(kHintButton.size());
    hint->setGeometry(kHintButton);
    hint->setFlat(true);
    hint->setFocusPolicy(Qt::NoFocus);
    hint->setStyleSheet(QStringLiteral("border:none;background:transparent;"));
    connect(hint, &QPushButton::clicked, this, [this] { openHintCurtain(); });
    hintButton_ = hint;
}

void CFMainController::buildLandscape() {
    landscapeView_ = new BZLandscapeView(*this);
    landscapeChordName_ = landscapeView_->titleLabel();
    QFont name = landscapeChordName_->font();
    name.setPixelSize(21); // the bar's title is the chord: larger than a screen's title
    landscapeChordName_->setFont(name);
    landscapeFretboard_ = new BZFretboard(QRect(0, kLandscapeNeckY, kLandscapeNeckWidth, 240),
                                          landscapeView_->page());
    landscapeFretboard_->setFretboardDelegate(this);
    landscapeFretboard_->setScrollEnabled(true);
    landscapeFretboard_->setFretWidth(kLandscapeFretWidth);
    landscapeFretboard_->installEventFilter(this);
    for (unsigned s = 0; s < kStrings; ++s) {
        landscapeTitles_[s] = makeTitle(landscapeView_->page(), static_cast<int>(s));
        landscapeFingers_[s] = makeFinger(*landscapeFretboard_);
    }
    // The neck that shows takes the shakes.
    landscapeView_->setWillShow([this] { landscapeFretboard_->becomeFirstResponder(); });
    landscapeView_->setWillHide([this] { portraitFretboard_->becomeFirstResponder(); });
}

void CFMainController::viewWillAppear(bool) {
    portraitFretboard_->becomeFirstResponder();
    landscapeView_->startObservingOrientation();
}

void CFMainController::viewWillDisappear(bool) {
    landscapeView_->stopObservingOrientation();
}

// Settings.

PlistValue CFMainController::choicesForKey(const std::string& key) const {
    return key == CFSettings::kTuningKey ? BZTuningChoices::forFretboards() : PlistValue();
}

void CFMainController::settingDidChange(const std::string& key) {
    if (key == CFSettings::kLeftHandedKey) {
        applyHand();
    } else if (key == CFSettings::kTuningKey || key == CFSettings::kDetuneKey) {
        readTuning();
        updateAll();
    }
}

void CFMainController::readTuning() {
    const UserDefaults& defaults = UserDefaults::standard();
    finder_->setTuning(defaults.integerForKey(CFSettings::kTuningKey),
                       defaults.integerForKey(CFSettings::kDetuneKey));
}

// Both necks take the hand; the landscape neck moves its nut to the other side, the titles with
// it. The portrait titles stay in their places and change strings.
void CFMainController::applyHand() {
    const bool leftHanded = UserDefaults::standard().boolForKey(CFSettings::kLeftHandedKey);
    portraitFretboard_->setLeftHanded(leftHanded);
    landscapeFretboard_->setLeftHanded(leftHanded);
    landscapeFretboard_->move(leftHanded ? 0 : BZLandscapeView::kWidth - kLandscapeNeckWidth,
                              kLandscapeNeckY);
    const int half = BZStringTitle::kSize / 2;
    for (unsigned s = 0; s < kStrings; ++s) {
        // Titles stand on the string's line, 2 points before its position, as fingers do.
        const int across =
            static_cast<int>(std::lround(portraitFretboard_->positionOfString(s))) - 2;
        const unsigned shown = leftHanded ? kStrings - 1 - s : s;
        portraitTitles_[shown]->move(kPortraitNeck.x() + across - half, kPortraitTitlesY);
        const int y = kLandscapeNeckY +
                      static_cast<int>(std::lround(landscapeFretboard_->positionOfString(s))) - 2;
        landscapeTitles_[s]->move(leftHanded ? kLandscapeNeckWidth + 1 : 1, y - half);
    }
    updateAll();
}

// What the screen shows.

void CFMainController::updateAll() {
    updateChord();
    updateStringTitles();
    updateFingers();
}

void CFMainController::updateChord() {
    const CFChordNamer::Result result = finder_->chord();
    QString name;
    switch (result.kind) {
    case CFChordNamer::Kind::OpenNeck:
        name = text(CFChordNamer::kOpenKey);
        break;
    case CFChordNamer::Kind::Chord:
        name = QString::fromStdString(result.name);
        break;
    case CFChordNamer::Kind::NoChord:
        name = text(CFChordNamer::kNoChordKey);
        break;
    }
    portraitChordName_->setText(name);
    View::setAlpha(portraitChordName_, result.alpha());
    landscapeChordName_->setText(name);
    landscapeView_->setTitleAlpha(result.alpha());
}

void CFMainController::updateStringTitles() {
    const bool leftHanded = portraitFretboard_->leftHanded();
    for (unsigned s = 0; s < kStrings; ++s) {
        const QString title = QString::fromStdString(finder_->titleOfString(s));
        BZStringTitle* portrait = portraitTitles_[leftHanded ? kStrings - 1 - s : s];
        for (BZStringTitle* button : {portrait, landscapeTitles_[s]}) {
            button->setText(title);
            button->setIsOpen(finder_->isOpen(s));
            button->setIsRoot(false);
        }
    }
}

void CFMainController::updateFingers() {
    portraitFretboard_->removeAllFingers();
    landscapeFretboard_->removeAllFingers();
    for (unsigned s = 0; s < kStrings; ++s) {
        const bool muted = finder_->isMuted(s);
        portraitFretboard_->setMuted(muted, s);
        landscapeFretboard_->setMuted(muted, s);
        if (finder_->fret(s) == 0) {
            continue;
        }
        for (const auto& [fretboard, finger] :
             {std::pair{portraitFretboard_, portraitFingers_[s]},
              std::pair{landscapeFretboard_, landscapeFingers_[s]}}) {
            // A finger that was flying off comes back at once.
            ViewAnimation()
                .duration(0.0)
                .alpha(finger.get(), muted ? kMutedAlpha : 1.0)
                .frame(finger.get(), finger->geometry())
                .commit();
            finger->setAttribute(Qt::WA_TransparentForMouseEvents, false);
            finger->setString(s);
            finger->setFret(finder_->fret(s));
            finger->setTag(static_cast<int>(s));
            fretboard->addFinger(finger);
        }
    }
}

QString CFMainController::chordName() const {
    return portraitChordName_ ? portraitChordName_->text() : QString();
}

int CFMainController::fingerCount() const {
    return portraitFretboard_ ? static_cast<int>(portraitFretboard_->fingers().size()) : 0;
}

// Fingers and strings.

void CFMainController::fretboardDidTapString(BZFretboard&, unsigned string, unsigned fret) {
    finder_->setFret(string, fret);
    playString(string);
    updateAll();
}

void CFMainController::fretboardDidPluckString(BZFretboard&, unsigned string, unsigned) {
    playString(string); // the finger on the string decides what sounds
}

void CFMainController::toggleString(BZStringTitle& title) {
    unsigned s = static_cast<unsigned>(title.tag());
    if (s >= kStrings) {
        return;
    }
    const bool portrait =
        std::find(portraitTitles_.begin(), portraitTitles_.end(), &title) != portraitTitles_.end();
    if (portrait && portraitFretboard_->leftHanded()) {
        s = kStrings - 1 - s;
    }
    finder_->setMuted(s, !finder_->isMuted(s));
    playString(s); // sounds only when now unmuted
    updateAll();
}

void CFMainController::playString(unsigned string) {
    if (!finder_->playString(string)) {
        return;
    }
    portraitFingers_[string]->highlight();
    landscapeFingers_[string]->highlight();
}

void CFMainController::removeFinger(CFFinger& finger) {
    const auto s = static_cast<unsigned>(finger.tag());
    if (s >= kStrings) {
        return;
    }
    finder_->setFret(s, 0);
    updateChord();
    updateStringTitles();
    removeSound().play();
    CFFinger* portrait = portraitFingers_[s].get();
    CFFinger* landscape = landscapeFingers_[s].get();
    const int sideways = landscapeFretboard_->leftHanded() ? kRemoveDistance : -kRemoveDistance;
    // Gone from the neck at once: touches go through to the strings while it flies off, and it
    // is hidden when it has faded, until the next lay-out puts it back.
    for (CFFinger* flying : {portrait, landscape}) {
        flying->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    }
    QPointer<CFFinger> gonePortrait = portrait;
    QPointer<CFFinger> goneLandscape = landscape;
    ViewAnimation(QStringLiteral("removeFinger"))
        .frame(portrait, portrait->geometry().translated(0, -kRemoveDistance))
        .alpha(portrait, 0.0)
        .frame(landscape, landscape->geometry().translated(sideways, 0))
        .alpha(landscape, 0.0)
        .didStop([gonePortrait, goneLandscape](const QString&, bool finished) {
            for (const QPointer<CFFinger>& gone : {gonePortrait, goneLandscape}) {
                if (finished && gone) {
                    gone->hide();
                }
            }
        })
        .commit();
}

void CFMainController::askToRemoveAll() {
    if (removeAllAlert_) {
        return; // one question at a time
    }
    removeAllAlert_ = new AlertView(text("CFMainController_removeAllConfirm"), QString(),
                                    {text("BZAlert_no"), text("BZAlert_yes")}, this);
    removeAllAlert_->show();
}

void CFMainController::fretboardDidShake(BZFretboard&) {
    askToRemoveAll();
}

void CFMainController::alertViewClickedButtonAtIndex(AlertView&, int index) {
    removeAllAlert_ = nullptr; // answered: the next shake may ask again
    // The alert took the keyboard; the neck on show takes it back, with the shakes.
    (landscapeView_->isShown() ? landscapeFretboard_ : portraitFretboard_)->becomeFirstResponder();
    if (index == 1) {
        clearFrets();
    }
}

void CFMainController::clearFrets() {
    finder_->clearFrets();
    removeSound().play();
    updateAll();
}

void CFMainController::strum() {
    if (strum_) {
        strum_->invalidate();
    }
    strumString_ = 0;
    strumNext();
    if (strumString_ < kStrings) {
        strum_ = timers_.scheduleRepeating(kStrumInterval, [this] { strumNext(); });
    }
}

// Plays the next sounding string of the strum; the timer ends after the last one.
void CFMainController::strumNext() {
    while (strumString_ < kStrings && finder_->isMuted(strumString_)) {
        ++strumString_;
    }
    if (strumString_ < kStrings) {
        playString(strumString_++);
    }
    if (strumString_ >= kStrings && strum_) {
        strum_->invalidate();
    }
}

void CFMainController::openHintCurtain() {
    if (hintCurtain_) {
        return; // already up, or on its way
    }
    hintCurtain_ = new QVHintCurtain(QString::fromLatin1(kHintIdentifier));
    hintCurtain_->setTitle(text("CFHint_title"));
    hintCurtain_->setHasDontShowAgainButton(false);
    hintCurtain_->setTransitionStyle(1);
    hintCurtain_->show();
}

bool CFMainController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            askToRemoveAll();
            return true;
        case Qt::Key_Space:
            strum();
            return true;
        default:
            break;
        }
    }
    return BZMainController::eventFilter(watched, event);
}

bool CFMainController::renderAudioToBuffer(QVAudioBuffer& buffer,
                                           const QVAudioTimeStamp& timeStamp) {
    return finder_->player().renderAudioToBuffer(buffer, timeStamp);
}
