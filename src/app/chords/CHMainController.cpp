#include "CHMainController.h"

#include "BZController.h"
#include "CHChordNameView.h"
#include "CHContentView.h"
#include "CHFinger.h"
#include "CHStepButton.h"
#include "audio/QVAudioSession.h"
#include "audio/QVAudioStream.h"
#include "chords/CHChordPlayer.h"
#include "chords/CHDatabase.h"
#include "chords/CHSettings.h"
#include "foundation/Bundle.h"
#include "foundation/UserDefaults.h"
#include "fretboard/BZBarButton.h"
#include "fretboard/BZFretboard.h"
#include "fretboard/BZLandscapeView.h"
#include "fretboard/BZStringTitle.h"
#include "fretboard/FretboardGeometry.h"
#include "ui/DelayedPerform.h"
#include "ui/NavigationBar.h"
#include "ui/ScreenImage.h"
#include "ui/ViewAnimation.h"

#include <QApplication>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

using fretkit::CHChord;
using fretkit::CHChordChoice;
using fretkit::CHChordPlayer;
using fretkit::CHDatabase;
using fretkit::UserDefaults;

namespace {

// The portrait screen below the navigation bar.
constexpr int kViewHeight = ViewController::kFrameHeight - NavigationBar::kHeight;
constexpr int kPickerShownY = kViewHeight - WheelPicker::kHeight;
constexpr int kNameViewHiddenY = -120;
const QRect kContentFrame(0, 108, 320, kViewHeight - 108);
const QRect kFretboardFrame(40, 0, 240, kViewHeight - 108);
constexpr int kTitlesY = 68;
constexpr double kPickerFretboardCentreY = 100.0;
// The neck on the landscape page, with room for the titles at its nut's end.
constexpr int kLandscapeNeckWidth = 444;
constexpr int kLandscapeNeckY = 56;
// Fingers are numbered from the thumb.
const char* const kFingerTitles[] = {"T", "1", "2", "3", "4"};
// A muted string's title: a multiplication x.
const QChar kMutedMark(0x2715);

QString localized(const char* key) {
    return QString::fromStdString(fretkit::Bundle::main().localizedString(key));
}

// The screen's dark wood behind everything.
class Background : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawPixmap(0, 0, ScreenImage::load(QStringLiteral("CHMainController_background")));
    }
};

QLabel* noShapeMarker(QWidget* parent, QPoint centre) {
    auto* label = new QLabel(localized("CHMainController_noShape"), parent);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("color:#f6eacc;background:rgba(0,0,0,170);"
                                        "border:1px solid #8a6a3a;border-radius:8px;"
                                        "font-weight:bold;font-size:17px;"));
    label->resize(180, 44);
    label->move(centre - QPoint(90, 22));
    label->hide();
    return label;
}

} // namespace

CHMainController::CHMainController(std::unique_ptr<CHDatabase> database)
    : BZMainController(QStringLiteral("CHMainController")),
      database_(database ? std::move(database) : std::make_unique<CHDatabase>()),
      choice_(UserDefaults::standard()), player_(makePlayer()), strumRequests_(new QObject(this)) {
    // The loader may be delivering a sample under the stream's render lock: it ends before the
    // app takes the stream down.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { player_->waitUntilLoaded(); });
}

CHMainController::~CHMainController() {
    for (Neck* neck : {&portrait_, &landscape_}) {
        if (neck->fretboard) {
            neck->fretboard->setFretboardDelegate(nullptr);
            neck->fretboard->removeAllFingers();
        }
    }
}

// The one place that ties the player to the stream: its rate and the render lock every change
// of what sounds is made under.
std::unique_ptr<CHChordPlayer> CHMainController::makePlayer() {
    QVAudioStream* stream = BZController::sharedStream();
    const double rate =
        stream != nullptr ? QVAudioSession::sampleRate() : BZController::kPreferredSampleRate;
    return std::make_unique<CHChordPlayer>(BZController::sharedRenderLock(),
                                           fretkit::Bundle::main(), rate);
}

const CHChord* CHMainController::currentChord() const {
    return currentChordIndex_ < chords_.size() ? &chords_[currentChordIndex_] : nullptr;
}

QString CHMainController::chordName() const {
    return QString::fromStdString(choice_.chordName());
}

bool CHMainController::leftHanded() const {
    return UserDefaults::standard().boolForKey(CHSettings::kLeftHandedKey);
}

// Views.

void CHMainController::loadView() {
    auto* background = new Background;
    background->resize(kFrameWidth, kViewHeight);
    setView(background);
}

void CHMainController::viewDidLoad() {
    buildPortrait();
    buildLandscape();
    BZMainController::viewDidLoad(); // the settings and about buttons
    settingsButton_ = navigationItem().rightButton;
    buildPicker();
    prepareNeck(portrait_, kPortraitFretWidth);
    prepareNeck(landscape_, kLandscapeFretWidth);
    // The keys go to the screen, whichever neck was touched last.
    view()->setFocusPolicy(Qt::StrongFocus);
    view()->installEventFilter(this);
    applySettings();
}

void CHMainController::applySettings() {
    choice_.load();
    picker_->reloadAllComponents();
    for (int column = 0; column < 3; ++column) {
        picker_->selectRow(choice_.selectedRow(column), column, false);
    }
    for (const Neck* neck : {&portrait_, &landscape_}) {
        neck->fretboard->setLeftHanded(leftHanded());
    }
    placeLandscapeNeck();
    loadChords();
}

void CHMainController::buildPortrait() {
    chordNameView_ = new CHChordNameView(view());
    connect(chordNameView_, &QAbstractButton::clicked, this, [this] { revealPicker(); });
    connect(chordNameView_->previousButton(), &QAbstractButton::clicked, this,
            [this] { previousChord(); });
    connect(chordNameView_->nextButton(), &QAbstractButton::clicked, this, [this] { nextChord(); });
    // Left to right over the strings of the neck below, whichever hand plays it.
    const fretkit::FretboardGeometry upright;
    for (unsigned i = 0; i < kStrings; ++i) {
        auto* title = new BZStringTitle(chordNameView_);
        const double line =
            kFretboardFrame.x() + static_cast<double>(upright.stringPosition(i)) - 2.0;
        title->move(static_cast<int>(line) - BZStringTitle::kSize / 2, kTitlesY);
        title->setTag(static_cast<int>(i));
        portrait_.titles[i] = title;
    }
    portraitContentView_ = new CHContentView(kContentFrame, kFretboardFrame, view());
    portrait_.fretboard = portraitContentView_->fretboard();
    portrait_.noShape = noShapeMarker(portraitContentView_, kFretboardFrame.center());
}

void CHMainController::buildLandscape() {
    landscapeView_ = new BZLandscapeView(*this);
    landscapeView_->graphicsView()->setFocusPolicy(Qt::NoFocus);
    QWidget* page = landscapeView_->page();
    landscape_.fretboard = new BZFretboard(
        QRect(0, kLandscapeNeckY, kLandscapeNeckWidth, fretkit::FretboardGeometry::kShortSide),
        page);
    for (unsigned s = 0; s < kStrings; ++s) {
        landscape_.titles[s] = new BZStringTitle(page);
        landscape_.titles[s]->setTag(static_cast<int>(s));
    }
    landscape_.noShape = noShapeMarker(page, landscape_.fretboard->geometry().center());
    for (BZBarButton* button : {landscapeView_->leftButton(), landscapeView_->rightButton()}) {
        button->show();
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(landscapeView_->leftButton(), &QAbstractButton::clicked, this, [this] { leftChord(); });
    connect(landscapeView_->rightButton(), &QAbstractButton::clicked, this,
            [this] { rightChord(); });
}

void CHMainController::buildPicker() {
    picker_ = new WheelPicker(view());
    picker_->move(0, kViewHeight);
    picker_->setDataSource(this);
    picker_->raise(); // over the about button when it comes up
}

void CHMainController::prepareNeck(Neck& neck, float fretWidth) {
    neck.fretboard->setFretWidth(fretWidth);
    neck.fretboard->setFretboardDelegate(this);
    for (unsigned f = 0; f < kFingers; ++f) {
        auto finger = BZFinger::fingerForFretboard<CHFinger>(*neck.fretboard);
        finger->setTitle(QString::fromLatin1(kFingerTitles[f]));
        neck.fingers.push_back(std::move(finger));
    }
}

// The landscape neck's nut end is where its titles stand: at the left for the right hand.
void CHMainController::placeLandscapeNeck() {
    const bool left = landscape_.fretboard->leftHanded();
    landscape_.fretboard->move(left ? 0 : BZLandscapeView::kWidth - kLandscapeNeckWidth,
                               kLandscapeNeckY);
    const int x = left ? kLandscapeNeckWidth + 2 : 1;
    for (unsigned s = 0; s < kStrings; ++s) {
        const double line =
            kLandscapeNeckY + static_cast<double>(landscape_.fretboard->positionOfString(s)) - 2.0;
        landscape_.titles[s]->move(x, static_cast<int>(line) - BZStringTitle::kSize / 2);
    }
    landscape_.noShape->move(
        landscape_.fretboard->geometry().center() -
        QPoint(landscape_.noShape->width() / 2, landscape_.noShape->height() / 2));
}

void CHMainController::viewWillAppear(bool) {
    landscapeView_->startObservingOrientation();
}

void CHMainController::viewDidAppear(bool) {
    view()->setFocus();
}

void CHMainController::viewWillDisappear(bool) {
    landscapeView_->stopObservingOrientation();
}

// Shapes.

void CHMainController::loadChords() {
    chords_ = database_->chordsForRoot(static_cast<int>(choice_.root()),
                                       static_cast<int>(choice_.variant()));
    currentChordIndex_ = 0;
    updateFretboards();
}

void CHMainController::previousChord() {
    if (currentChordIndex_ > 0) {
        --currentChordIndex_;
        updateFretboards();
    }
}

void CHMainController::nextChord() {
    if (currentChordIndex_ + 1 < chords_.size()) {
        ++currentChordIndex_;
        updateFretboards();
    }
}

void CHMainController::leftChord() {
    if (landscape_.fretboard->leftHanded()) {
        nextChord();
    } else {
        previousChord();
    }
}

void CHMainController::rightChord() {
    if (landscape_.fretboard->leftHanded()) {
        previousChord();
    } else {
        nextChord();
    }
}

void CHMainController::updateButtons() {
    const bool previous = currentChordIndex_ > 0;
    const bool next = currentChordIndex_ + 1 < chords_.size();
    chordNameView_->previousButton()->setEnabled(previous);
    chordNameView_->nextButton()->setEnabled(next);
    const bool swapped = landscape_.fretboard->leftHanded();
    landscapeView_->leftButton()->setEnabled(swapped ? next : previous);
    landscapeView_->rightButton()->setEnabled(swapped ? previous : next);
}

void CHMainController::updateFretboards() {
    const CHChord* chord = currentChord();
    const QString name = chordName();
    chordNameView_->setName(name);
    landscapeView_->titleLabel()->setText(name);
    portrait_.noShape->setVisible(chord == nullptr);
    landscape_.noShape->setVisible(chord == nullptr);
    const unsigned rootString = chord ? chord->stringIndexOfRoot() : kNotFound;
    updateTitles(chord, rootString);

    ViewAnimation appear;
    for (Neck* neck : {&portrait_, &landscape_}) {
        neck->fretboard->removeAllFingers();
        for (const auto& finger : neck->fingers) {
            View::setAlpha(finger.get(), 0.0);
            appear.alpha(finger.get(), 1.0);
        }
    }
    if (chord) {
        placeFingers(*chord, rootString);
        portrait_.fretboard->scrollToFret(chord->baseFret());
        landscape_.fretboard->scrollToFret(chord->baseFret());
    }
    appear.commit();

    // Every string stops, and the shape's own samples load (none without a shape).
    DelayedPerform::cancelPreviousPerformRequests(strumRequests_);
    player_->setChord(chord ? *chord : CHChord());
    updateButtons();
}

void CHMainController::updateTitles(const CHChord* chord, unsigned rootString) {
    const bool intervals = UserDefaults::standard().boolForKey(CHSettings::kIntervalsKey);
    const bool left = leftHanded();
    for (unsigned s = 0; s < kStrings; ++s) {
        const bool muted = chord && chord->mutedString(s);
        QString text;
        if (chord && !muted) {
            text = QString::fromStdString(intervals ? chord->intervalNameForString(s)
                                                    : chord->noteNameForString(s));
        } else if (muted) {
            text = kMutedMark;
        }
        // The portrait titles stand left to right; a left-handed neck has string 0 at the right.
        for (BZStringTitle* title :
             {portrait_.titles[left ? kStrings - 1 - s : s], landscape_.titles[s]}) {
            title->setText(text);
            title->setIsRoot(!muted && s == rootString);
            title->setIsOpen(chord && chord->openString(s));
        }
        portrait_.fretboard->setMuted(muted, s);
        landscape_.fretboard->setMuted(muted, s);
    }
}

void CHMainController::placeFingers(const CHChord& chord, unsigned rootString) {
    for (unsigned f = 0; f < kFingers; ++f) {
        const unsigned fret = chord.fretForFinger(f);
        if (fret == CHChord::kNotFound) {
            continue;
        }
        for (Neck* neck : {&portrait_, &landscape_}) {
            CHFinger& finger = *neck->fingers[f];
            finger.setFret(fret);
            finger.setStrings(chord.stringsForFinger(f).value_or(std::vector<unsigned>{}));
            finger.setRootStringIndex(rootString);
            neck->fretboard->addFinger(neck->fingers[f]);
        }
    }
}

// The picker.

void CHMainController::revealPicker() {
    if (isPickerVisible_) {
        return;
    }
    isPickerVisible_ = true;
    ViewAnimation(QStringLiteral("revealPicker"))
        .duration(kPanelDuration)
        .frame(chordNameView_,
               chordNameView_->geometry().translated(0, kNameViewHiddenY - chordNameView_->y()))
        .frame(picker_, picker_->geometry().translated(0, kPickerShownY - picker_->y()))
        .frame(portraitContentView_,
               portraitContentView_->geometry().translated(0, -portraitContentView_->y()))
        .commit();
    portraitContentView_->setFretboardScale(
        kPickerScale, QPointF(kFretboardFrame.center().x() + 0.5, kPickerFretboardCentreY),
        kPanelDuration);
    navigationItem().rightButton =
        BarButton{localized("Done"), BarButton::Style::Done, [this] { hidePicker(); }};
    navigationItemChanged();
}

void CHMainController::hidePicker() {
    if (!isPickerVisible_) {
        return;
    }
    isPickerVisible_ = false;
    ViewAnimation(QStringLiteral("hidePicker"))
        .duration(kPanelDuration)
        .frame(chordNameView_, chordNameView_->geometry().translated(0, -chordNameView_->y()))
        .frame(picker_, picker_->geometry().translated(0, kViewHeight - picker_->y()))
        .frame(portraitContentView_, kContentFrame)
        .commit();
    portraitContentView_->setFretboardScale(1.0, QRectF(kFretboardFrame).center(), kPanelDuration);
    navigationItem().rightButton = settingsButton_;
    navigationItemChanged();
}

int CHMainController::numberOfComponents(WheelPicker&) {
    return static_cast<int>(kPickerWidths.size());
}

int CHMainController::numberOfRows(WheelPicker&, int component) {
    return choice_.numberOfRows(component);
}

QString CHMainController::titleForRow(WheelPicker&, int row, int component) {
    return QString::fromStdString(choice_.titleForRow(row, component));
}

int CHMainController::widthForComponent(WheelPicker&, int component) {
    return component >= 0 && component < 3 ? kPickerWidths[static_cast<std::size_t>(component)] : 0;
}

void CHMainController::didSelectRow(WheelPicker& picker, int row, int component) {
    if (!choice_.selectRow(row, component)) {
        return;
    }
    if (component == CHChordChoice::kFamilyColumn) {
        // The new family's variants, from its first.
        picker.reloadAllComponents();
        picker.selectRow(0, CHChordChoice::kVariantColumn, false);
    }
    loadChords();
}

// Sound.

bool CHMainController::renderAudioToBuffer(QVAudioBuffer& buffer,
                                           const QVAudioTimeStamp& timeStamp) {
    return player_->player().renderAudioToBuffer(buffer, timeStamp);
}

void CHMainController::fretboardDidTapString(BZFretboard& fretboard, unsigned string,
                                             unsigned fret) {
    fretboardDidPluckString(fretboard, string, fret);
}

void CHMainController::fretboardDidPluckString(BZFretboard&, unsigned string, unsigned) {
    pluckString(string);
}

void CHMainController::pluckString(unsigned string) {
    player_->pluckString(string);
    for (Neck* neck : {&portrait_, &landscape_}) {
        for (const auto& finger : neck->fingers) {
            if (finger->holdsString(string)) {
                finger->highlightStringIndex(string);
            }
        }
    }
}

void CHMainController::strum() {
    const CHChord* chord = currentChord();
    if (chord == nullptr) {
        return;
    }
    DelayedPerform::cancelPreviousPerformRequests(strumRequests_);
    double delay = 0.0;
    for (unsigned s = 0; s < kStrings; ++s) {
        if (chord->mutedString(s)) {
            continue;
        }
        if (delay == 0.0) {
            pluckString(s);
        } else {
            DelayedPerform::perform(strumRequests_, delay, [this, s] { pluckString(s); });
        }
        delay += kStrumGap;
    }
}

// Settings and keys.

void CHMainController::settingDidChange(const std::string& key) {
    if (key == CHSettings::kLeftHandedKey) {
        for (const Neck* neck : {&portrait_, &landscape_}) {
            neck->fretboard->setLeftHanded(leftHanded());
        }
        placeLandscapeNeck();
        updateButtons();
    }
    updateFretboards();
}

bool CHMainController::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view() || event->type() != QEvent::KeyPress) {
        return BZMainController::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool landscape = landscapeView_->isShown();
    switch (key->key()) {
    case Qt::Key_Left:
        landscape ? leftChord() : previousChord();
        return true;
    case Qt::Key_Right:
        landscape ? rightChord() : nextChord();
        return true;
    case Qt::Key_Space:
        if (!key->isAutoRepeat()) {
            strum();
        }
        return true;
    default:
        return BZMainController::eventFilter(watched, event);
    }
}
