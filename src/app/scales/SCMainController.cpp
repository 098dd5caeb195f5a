#include "SCMainController.h"

#include "SCContentView.h"
#include "SCFretboardHost.h"
#include "SCImageButton.h"
#include "SCNoScalesFinger.h"
#include "audio/QVAudioSession.h"
#include "audio/QVAudioStream.h"
#include "foundation/Bundle.h"
#include "foundation/UserDefaults.h"
#include "fretboard/BZBarButton.h"
#include "fretboard/BZFretboard.h"
#include "fretboard/BZLandscapeView.h"
#include "kit/QVAboutIconCell.h"
#include "kit/QVHintCurtain.h"
#include "scales/SCSettings.h"
#include "shell/BZController.h"
#include "shell/BZTuningChoices.h"
#include "ui/FittingFont.h"
#include "ui/NavigationBar.h"
#include "ui/QtTimerScheduler.h"
#include "ui/ScreenImage.h"
#include "ui/SegmentedControl.h"
#include "ui/ViewAnimation.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <limits>

using fretkit::SCScale;
using fretkit::SCScaleLibrary;
using fretkit::UserDefaults;

namespace {

constexpr int kViewHeight = ViewController::kFrameHeight - NavigationBar::kHeight;
constexpr int kStepButtonSize = 44;
constexpr int kHintButtonSize = 36;
constexpr QRect kNameFrame(54, 4, 212, 65);
constexpr QRect kLandscapeNeckFrame(0, 8, BZLandscapeView::kWidth, 240);

QString text(const char* key) {
    return QString::fromStdString(
        fretkit::Bundle::main().localizedString(key, {}, "SCMainController"));
}

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

QLabel* label(QWidget* parent, const QRect& frame, int size, bool bold, const char* colour) {
    auto* view = new QLabel(parent);
    view->setGeometry(frame);
    view->setAlignment(Qt::AlignCenter);
    QFont font;
    font.setPixelSize(size);
    font.setBold(bold);
    view->setFont(font);
    view->setStyleSheet(
        QStringLiteral("color:%1;background:transparent;").arg(QString::fromLatin1(colour)));
    view->setAttribute(Qt::WA_TransparentForMouseEvents);
    return view;
}

QLabel* imageView(QWidget* parent, const char* image) {
    auto* view = new QLabel(parent);
    const QPixmap picture = ScreenImage::load(QString::fromLatin1(image));
    view->setPixmap(picture);
    view->resize(picture.deviceIndependentSize().toSize());
    view->setAttribute(Qt::WA_TransparentForMouseEvents);
    return view;
}

// A long name is set smaller, down to 13 points, before it is cut short.
void setFittingText(QLabel* view, const QString& name, int largest) {
    QFont font = view->font();
    font.setPixelSize(largest);
    const int room = view->width() - 8;
    font = FittingFont::fitting(font, name, room, 13);
    view->setFont(font);
    view->setText(QFontMetrics(font).elidedText(name, Qt::ElideRight, room));
}

int clampedRow(std::int64_t row) {
    return static_cast<int>(std::clamp<std::int64_t>(row, 0, std::numeric_limits<int>::max()));
}

} // namespace

SCMainController::SCMainController(fretkit::TimerScheduler* timers, const fretkit::Bundle* bundle)
    : BZMainController(QStringLiteral("SCMainController")),
      bundle_(bundle != nullptr ? *bundle : fretkit::Bundle::main()),
      // The notes' sounds share the stream's render lock, which the audio thread holds for the
      // whole render cycle.
      player_(BZController::sharedRenderLock(), bundle_,
              BZController::sharedStream() != nullptr && QVAudioSession::sampleRate() > 0.0
                  ? QVAudioSession::sampleRate()
                  : BZController::kPreferredSampleRate,
              timers != nullptr ? *timers : QtTimerScheduler::shared()) {
    player_.autoPlayback().setNoteRequested([this](std::uint32_t index) { highlightNote(index); });
}

SCMainController::~SCMainController() {
    player_.autoPlayback().setNoteRequested({});
    for (BZFretboard* neck : {portraitFretboard_, landscapeFretboard_}) {
        if (neck) {
            neck->setFretboardDelegate(nullptr);
        }
    }
}

// Building the screen.

void SCMainController::loadView() {
    auto* view = new QWidget;
    view->resize(kFrameWidth, kViewHeight);
    view->setFocusPolicy(Qt::StrongFocus);
    view->installEventFilter(this);
    setView(view);
}

void SCMainController::viewDidLoad() {
    library_ = SCScaleLibrary(bundle_);
    imageView(view(), "SCMainController_background")->move(0, 0);
    buildContent();
    buildNamePanel();
    buildPickerPanel();
    buildLandscape();
    BZMainController::viewDidLoad(); // the settings and about buttons, over the artwork
    settingsButton_ = navigationItem().rightButton;
    scalePickerView_->raise(); // the panel slides over the about button

    const bool leftHanded = UserDefaults::standard().boolForKey(SCSettings::kLeftHandedKey);
    for (BZFretboard* neck : {portraitFretboard_, landscapeFretboard_}) {
        neck->setNutOffset(kNutOffset);
        neck->setLeftHanded(leftHanded);
        neck->setFretboardDelegate(this);
        neck->setScrollEnabled(true); // the wheel looks along the neck
    }
    portraitFretboard_->setFretWidth(kPortraitFretWidth);
    landscapeFretboard_->setFretWidth(kLandscapeFretWidth);
    showStoredChoice();
    updateScales();
}

void SCMainController::buildContent() {
    portraitContentView_ = new SCContentView(view());
    portraitContentView_->setGeometry(0, kNameHeight, kFrameWidth, kContentHeight);
    fretboardHost_ =
        new SCFretboardHost(QSize(kPortraitNeckWidth, kContentHeight), portraitContentView_);
    fretboardHost_->move(0, 0);
    portraitFretboard_ = fretboardHost_->fretboard();
    portraitContentView_->setFretboardHost(fretboardHost_);
    hintButton_ = new SCImageButton(QStringLiteral("SCMainController_hint"), portraitContentView_);
    hintButton_->setGeometry(kPortraitNeckWidth + (kFrameWidth - kPortraitNeckWidth) / 2 -
                                 kHintButtonSize / 2,
                             10, kHintButtonSize, kHintButtonSize);
    connect(hintButton_, &QAbstractButton::clicked, this, [this] { openHintCurtain(); });
}

void SCMainController::buildNamePanel() {
    scaleNameView_ = imageView(view(), "SCMainController_namePanel");
    scaleNameView_->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    scaleNameView_->setGeometry(0, 0, kFrameWidth, kNameHeight);
    const int buttonY = (kNameHeight - kStepButtonSize) / 2;
    previousButton_ =
        new SCImageButton(QStringLiteral("SCMainController_previous"), scaleNameView_);
    previousButton_->setGeometry(6, buttonY, kStepButtonSize, kStepButtonSize);
    nextButton_ = new SCImageButton(QStringLiteral("SCMainController_next"), scaleNameView_);
    nextButton_->setGeometry(kFrameWidth - 6 - kStepButtonSize, buttonY, kStepButtonSize,
                             kStepButtonSize);
    connect(previousButton_, &QAbstractButton::clicked, this, [this] { previousScale(); });
    connect(nextButton_, &QAbstractButton::clicked, this, [this] { nextScale(); });

    // The name itself opens the picker.
    auto* name = new QPushButton(scaleNameView_);
    name->setGeometry(kNameFrame);
    name->setFlat(true);
    name->setFocusPolicy(Qt::NoFocus);
    name->setStyleSheet(QStringLiteral("QPushButton{border:none;background:transparent;}"
                                       "QPushButton:pressed{background:rgba(0,0,0,60);"
                                       "border-radius:8px;}"));
    connect(name, &QAbstractButton::clicked, this, [this] { revealPicker(); });
    nameButton_ = name;
    portraitScaleName_ = label(name, QRect(0, 6, kNameFrame.width(), 30), 20, true, "#f6ead4");
    portraitPatternLabel_ = label(name, QRect(0, 37, kNameFrame.width(), 20), 12, false, "#d8b884");
}

void SCMainController::buildPickerPanel() {
    scalePickerView_ = new QWidget(view());
    scalePickerView_->setGeometry(0, kViewHeight, kFrameWidth, kPickerPanelHeight);
    imageView(scalePickerView_, "SCMainController_pickerPanel")->move(0, 0);
    groupControl_ = new SegmentedControl(scalePickerView_);
    groupControl_->setGeometry(8, 7, kFrameWidth - 16, kGroupBarHeight - 14);
    QStringList groups;
    for (unsigned g = 0; g < SCScaleLibrary::kGroupCount; ++g) {
        groups << QString::fromStdString(
            fretkit::Bundle::main().localizedString("SCMainController_group" + std::to_string(g)));
    }
    groupControl_->setSegments(groups);
    connect(groupControl_, &SegmentedControl::selectedByUser, this,
            [this](int index) { groupChanged(index); });
    picker_ = new WheelPicker(scalePickerView_);
    picker_->setGeometry(0, kGroupBarHeight, kFrameWidth, WheelPicker::kHeight);
    picker_->setDataSource(this);
}

void SCMainController::buildLandscape() {
    landscapeView_ = new BZLandscapeView(*this);
    QWidget* page = landscapeView_->page();
    landscapeContentView_ = new SCContentView(page);
    landscapeContentView_->setGeometry(BZLandscapeView::contentRect());
    landscapeFretboard_ = new BZFretboard(kLandscapeNeckFrame, landscapeContentView_);
    landscapeContentView_->setFretboard(landscapeFretboard_);
    landscapePatternLabel_ =
        label(landscapeContentView_,
              QRect(0, kLandscapeNeckFrame.bottom() + 6, BZLandscapeView::kWidth, 28), 13, false,
              "#d8b884");
    for (BZBarButton* button : {landscapeLeftButton(), landscapeRightButton()}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->show();
    }
    connect(landscapeLeftButton(), &QAbstractButton::clicked, this, [this] { leftScale(); });
    connect(landscapeRightButton(), &QAbstractButton::clicked, this, [this] { rightScale(); });
    // Keys stay with the screen while the landscape face is up.
    landscapeView_->graphicsView()->setFocusPolicy(Qt::NoFocus);
}

BZLandscapeView* SCMainController::landscapeView() const {
    return landscapeView_;
}

QVHintCurtain* SCMainController::hintCurtain() const {
    return hintCurtain_;
}

QLabel* SCMainController::landscapeScaleName() const {
    return landscapeView_ ? landscapeView_->titleLabel() : nullptr;
}

BZBarButton* SCMainController::landscapeLeftButton() const {
    return landscapeView_ ? landscapeView_->leftButton() : nullptr;
}

BZBarButton* SCMainController::landscapeRightButton() const {
    return landscapeView_ ? landscapeView_->rightButton() : nullptr;
}

void SCMainController::viewWillAppear(bool) {
    landscapeView_->startObservingOrientation();
}

void SCMainController::viewDidAppear(bool) {
    view()->setFocus(); // the keys go to the screen
}

void SCMainController::viewWillDisappear(bool) {
    landscapeView_->stopObservingOrientation();
}

// The picker.

void SCMainController::showStoredChoice() {
    const UserDefaults& defaults = UserDefaults::standard();
    currentGroupIndex_ = static_cast<unsigned>(std::clamp<std::int64_t>(
        defaults.integerForKey(SCSettings::kGroupKey), 0, SCScaleLibrary::kGroupCount - 1));
    groupControl_->setSelectedSegment(static_cast<int>(currentGroupIndex_));
    picker_->reloadAllComponents();
    picker_->selectRow(clampedRow(defaults.integerForKey(SCSettings::kRootIndexKey)), 0, false);
    const std::int64_t row =
        defaults.integerForKey(SCSettings::kTypeKey) - library_.group(currentGroupIndex_).location;
    picker_->selectRow(clampedRow(row), 1, false);
}

int SCMainController::numberOfComponents(WheelPicker&) {
    return 2;
}

int SCMainController::numberOfRows(WheelPicker&, int component) {
    return component == 0 ? static_cast<int>(library_.roots().size())
                          : static_cast<int>(library_.group(currentGroupIndex_).length);
}

QString SCMainController::titleForRow(WheelPicker&, int row, int component) {
    if (row < 0) {
        return {};
    }
    return component == 0 ? qt(library_.rootName(static_cast<unsigned>(row)))
                          : qt(library_.typeName(library_.group(currentGroupIndex_).location +
                                                 static_cast<unsigned>(row)));
}

int SCMainController::widthForComponent(WheelPicker&, int component) {
    return component == 0 ? kRootColumnWidth : kTypeColumnWidth;
}

void SCMainController::didSelectRow(WheelPicker&, int row, int component) {
    UserDefaults& defaults = UserDefaults::standard();
    if (component == 0) {
        defaults.setInteger(row, SCSettings::kRootIndexKey);
    } else {
        defaults.setInteger(std::int64_t{library_.group(currentGroupIndex_).location} + row,
                            SCSettings::kTypeKey);
    }
    updateScales();
}

void SCMainController::groupChanged(int index) {
    currentGroupIndex_ = static_cast<unsigned>(
        std::clamp(index, 0, static_cast<int>(SCScaleLibrary::kGroupCount) - 1));
    groupControl_->setSelectedSegment(static_cast<int>(currentGroupIndex_));
    picker_->reloadAllComponents();
    picker_->selectRow(0, 1, false);
    UserDefaults& defaults = UserDefaults::standard();
    defaults.setInteger(currentGroupIndex_, SCSettings::kGroupKey);
    defaults.setInteger(library_.group(currentGroupIndex_).location, SCSettings::kTypeKey);
    updateScales();
}

std::optional<SCMainController::Choice> SCMainController::pickedChoice() const {
    const int root = picker_->selectedRow(0);
    const int row = picker_->selectedRow(1);
    if (root < 0 || row < 0) {
        return std::nullopt; // an empty list
    }
    return Choice{static_cast<unsigned>(root),
                  library_.group(currentGroupIndex_).location + static_cast<unsigned>(row)};
}

// The patterns.

void SCMainController::updateScales() {
    if (!isViewLoaded()) {
        return;
    }
    const std::optional<Choice> choice = pickedChoice();
    scales_ = choice ? library_.scalesForRoot(
                           choice->root, choice->type,
                           fretkit::SCScaleSearchSettings::fromDefaults(UserDefaults::standard()))
                     : std::vector<SCScale>();
    currentScaleIndex_ = 0;
    const QString name = choice ? qt(library_.scaleName(choice->root, choice->type)) : QString();
    setFittingText(portraitScaleName_, name, 20);
    landscapeScaleName()->setText(name);
    updateFretboards();
}

void SCMainController::previousScale() {
    if (currentScaleIndex_ > 0) {
        --currentScaleIndex_;
        updateFretboards();
    }
}

void SCMainController::nextScale() {
    if (currentScaleIndex_ + 1 < scales_.size()) {
        ++currentScaleIndex_;
        updateFretboards();
    }
}

void SCMainController::leftScale() {
    if (landscapeFretboard_->leftHanded()) {
        nextScale();
    } else {
        previousScale();
    }
}

void SCMainController::rightScale() {
    if (landscapeFretboard_->leftHanded()) {
        previousScale();
    } else {
        nextScale();
    }
}

void SCMainController::updateButtons() {
    const bool previous = !scales_.empty() && currentScaleIndex_ > 0;
    const bool next = currentScaleIndex_ + 1 < scales_.size();
    previousButton_->setEnabled(previous);
    nextButton_->setEnabled(next);
    const bool swapped = landscapeFretboard_->leftHanded();
    landscapeLeftButton()->setEnabled(swapped ? next : previous);
    landscapeRightButton()->setEnabled(swapped ? previous : next);
}

void SCMainController::updateFretboards() {
    if (!isViewLoaded()) {
        return;
    }
    for (BZFretboard* neck : {portraitFretboard_, landscapeFretboard_}) {
        neck->removeAllFingers();
    }
    updateButtons();
    portraitPatternLabel_->setText(patternText());
    landscapePatternLabel_->setText(patternText());
    if (scales_.empty()) {
        for (BZFretboard* neck : {portraitFretboard_, landscapeFretboard_}) {
            neck->addFinger(BZFinger::fingerForFretboard<SCNoScalesFinger>(*neck));
        }
        // Nothing of the pattern that was shown before may go on sounding or strumming.
        player_.setScale(SCScale());
        return;
    }
    const SCScale& scale = scales_[currentScaleIndex_];
    addMarkers(scale);
    for (BZFretboard* neck : {portraitFretboard_, landscapeFretboard_}) {
        neck->scrollToFret(scale.lowestFret());
    }
    player_.setScale(scale);
}

void SCMainController::addMarkers(const SCScale& scale) {
    const std::int64_t labels =
        UserDefaults::standard().integerForKey(SCSettings::kFingerLabelsKey);
    const auto& notes = scale.notes();
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const QString title = qt(SCScaleLibrary::markerTitle(notes[i], labels));
        for (BZFretboard* neck : {portraitFretboard_, landscapeFretboard_}) {
            auto finger = BZFinger::fingerForFretboard<SCFinger>(*neck);
            finger->setTag(static_cast<int>(i));
            finger->setFret(notes[i].fret());
            finger->setString(notes[i].string());
            finger->setBackgroundStyle(notes[i].isRoot() ? BZFinger::Black : BZFinger::Yellow);
            finger->setTitle(title);
            neck->addFinger(std::move(finger));
        }
    }
}

QString SCMainController::patternText() const {
    if (scales_.empty()) {
        const int tuning =
            static_cast<int>(UserDefaults::standard().integerForKey(SCSettings::kTuningKey));
        const std::string name =
            tuning >= 0 ? library_.tunings()[static_cast<std::size_t>(tuning)]["name"].stringValue()
                        : std::string();
        return name.empty()
                   ? QString()
                   : QVAboutIconCell::fillPlaceholders(text("SCMainController_none"), {qt(name)});
    }
    const SCScale& scale = scales_[currentScaleIndex_];
    unsigned highest = 0;
    for (const auto& note : scale.notes()) {
        highest = std::max(highest, note.fret());
    }
    const unsigned lowest = scale.lowestFret();
    const QString where = lowest == 0 ? text("SCMainController_open")
                                      : QVAboutIconCell::fillPlaceholders(
                                            text("SCMainController_frets"),
                                            {QString::number(lowest), QString::number(highest)});
    return QVAboutIconCell::fillPlaceholders(
        text("SCMainController_pattern"),
        {QString::number(currentScaleIndex_ + 1), QString::number(scales_.size()), where});
}

int SCMainController::soundsLoaded() const {
    return !scales_.empty() &&
           player_.player().noteCount() == scales_[currentScaleIndex_].notes().size();
}

// Playing.

void SCMainController::playNoteAtIndex(std::uint32_t index) {
    player_.autoPlayback().playNoteAtIndex(index);
}

void SCMainController::highlightNote(std::uint32_t index) {
    for (BZFretboard* neck : {portraitFretboard_, landscapeFretboard_}) {
        if (!neck) {
            continue;
        }
        for (const auto& finger : neck->fingers()) {
            auto* marker = dynamic_cast<SCFinger*>(finger.get());
            if (marker && marker->tag() == static_cast<int>(index)) {
                marker->highlight();
            }
        }
    }
}

void SCMainController::fingerTouched(SCFinger& finger) {
    player_.touchNote(static_cast<std::uint32_t>(finger.tag()));
}

void SCMainController::fretboardDidStrum(BZFretboard&, int direction) {
    strum(direction);
}

void SCMainController::strum(int direction) {
    if (scales_.empty()) {
        return;
    }
    const UserDefaults& defaults = UserDefaults::standard();
    const double speed = defaults.doubleForKey(SCSettings::kPlaybackSpeedKey);
    // The slider's range; a stored value out of it would make the pace absurd.
    const double pace = std::isfinite(speed) ? std::clamp(speed, 0.0, 1.0) : 0.5;
    player_.strum(direction, defaults.boolForKey(SCSettings::kPlayAllNotesKey), pace);
}

bool SCMainController::renderAudioToBuffer(QVAudioBuffer& buffer,
                                           const QVAudioTimeStamp& timeStamp) {
    return player_.player().renderAudioToBuffer(buffer, timeStamp);
}

// The picker panel.

void SCMainController::revealPicker() {
    if (!isPickerVisible_) {
        slidePicker(true);
    }
}

void SCMainController::hidePicker() {
    if (isPickerVisible_) {
        slidePicker(false);
    }
}

void SCMainController::slidePicker(bool visible) {
    isPickerVisible_ = visible;
    // The neck shrinks to the room above the panel, centred where it stood.
    const int height =
        visible ? kContentHeight - (kPickerPanelHeight - kNameHeight) : kContentHeight;
    const double scale = static_cast<double>(height) / kContentHeight;
    ViewAnimation(visible ? QStringLiteral("revealPicker") : QStringLiteral("hidePicker"))
        .duration(kSlideDuration)
        .frame(scaleNameView_, QRect(0, visible ? -kNameHeight : 0, kFrameWidth, kNameHeight))
        .frame(scalePickerView_, QRect(0, visible ? kViewHeight - kPickerPanelHeight : kViewHeight,
                                       kFrameWidth, kPickerPanelHeight))
        .frame(portraitContentView_,
               QRect(0, visible ? 0 : kNameHeight, kFrameWidth, kContentHeight))
        .frame(fretboardHost_, fretboardHost_->frameForScale(scale, kPortraitNeckWidth / 2.0))
        .commit();
    if (visible) {
        navigationItem().rightButton =
            BarButton{QString::fromStdString(fretkit::Bundle::main().localizedString("Done")),
                      BarButton::Style::Done, [this] { hidePicker(); }};
    } else {
        navigationItem().rightButton = settingsButton_;
    }
    navigationItemChanged();
}

// The hint.

void SCMainController::openHintCurtain() {
    if (hintCurtain_) {
        return;
    }
    auto* curtain = new QVHintCurtain(ScreenImage::scale() == 2 ? QStringLiteral("SCHint@2x")
                                                                : QStringLiteral("SCHint"));
    curtain->setTitle(text("SCHint_title"));
    curtain->setHasDontShowAgainButton(false);
    curtain->setTransitionStyle(1);
    hintCurtain_ = curtain;
    curtain->show();
}

// Settings.

fretkit::PlistValue SCMainController::choicesForKey(const std::string& key) const {
    if (key == SCSettings::kTuningKey) {
        return BZTuningChoices::fromTunings(library_.tunings());
    }
    return {};
}

void SCMainController::settingDidChange(const std::string& key) {
    if (!isViewLoaded()) {
        return;
    }
    if (key == SCSettings::kLeftHandedKey) {
        const bool leftHanded = UserDefaults::standard().boolForKey(key);
        portraitFretboard_->setLeftHanded(leftHanded);
        landscapeFretboard_->setLeftHanded(leftHanded);
        updateFretboards();
    } else if (key == SCSettings::kTuningKey || key == SCSettings::kDetuneKey ||
               key == SCSettings::kAllowStretchedKey) {
        updateScales();
    } else if (key == SCSettings::kFingerLabelsKey) {
        updateFretboards();
    }
}

// Keys.

bool SCMainController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (handleKey(key->key(), key->isAutoRepeat())) {
            return true;
        }
    }
    return BZMainController::eventFilter(watched, event);
}

bool SCMainController::handleKey(int key, bool autoRepeat) {
    // On the landscape face the arrows step as its bar buttons do, which follow the neck's hand.
    const bool landscape = landscapeView_ && landscapeView_->isShown();
    switch (key) {
    case Qt::Key_Left:
        landscape ? leftScale() : previousScale();
        return true;
    case Qt::Key_Right:
        landscape ? rightScale() : nextScale();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Space:
        // A held key plays the pattern once.
        if (!autoRepeat) {
            strum(key == Qt::Key_Up ? 1 : key == Qt::Key_Down ? -1 : 2);
        }
        return true;
    default:
        return false;
    }
}
