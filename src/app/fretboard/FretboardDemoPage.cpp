#include "FretboardDemoPage.h"

#include "BZBarButton.h"
#include "BZFinger.h"
#include "BZFretboard.h"
#include "BZLandscapeView.h"
#include "BZStringTitle.h"
#include "ui/NavigationController.h"

#include <QLabel>
#include <QPainter>
#include <cmath>

namespace {

// E major, A shape at the seventh fret with the high E open; the low E is muted.
struct Fretted {
    unsigned string;
    unsigned fret;
    const char* name;
    bool root;
};
constexpr Fretted kFingers[] = {
    {1, 7, "E", true}, {2, 9, "B", false}, {3, 9, "E", true}, {4, 9, "G#", false}};
struct Title {
    const char* text;
    bool root;
    bool open;
};
const Title kTitles[] = {{"\u2715", false, false}, {"E", true, false},   {"B", false, false},
                         {"E", true, false},       {"G#", false, false}, {"E", true, true}};
constexpr unsigned kMutedString = 0;

const QRect kPortraitFretboard(40, 64, 240, 320);
constexpr int kPortraitTitlesY = 30;
constexpr int kLandscapeNeckY = 40;
constexpr int kLandscapeNeckWidth = 444;

QColor cream() {
    return {0xf4, 0xec, 0xdc};
}

QLabel* label(QWidget* parent, const QRect& frame, int size, const QColor& colour) {
    auto* text = new QLabel(parent);
    text->setGeometry(frame);
    text->setAlignment(Qt::AlignCenter);
    QFont font;
    font.setPixelSize(size);
    font.setBold(size >= 15);
    text->setFont(font);
    text->setStyleSheet(QStringLiteral("color:%1;background:transparent;").arg(colour.name()));
    return text;
}

// Dark wood behind the upright neck.
class Background : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QLinearGradient wood(0, 0, 0, height());
        wood.setColorAt(0.0, QColor(0x2a, 0x1c, 0x14));
        wood.setColorAt(1.0, QColor(0x12, 0x0c, 0x08));
        painter.fillRect(rect(), wood);
    }
};

// Guitarists count strings from the thinnest: string 0 here is their sixth.
QString stringWord(unsigned string) {
    return QStringLiteral("string %1").arg(6 - string);
}

QString fretWord(unsigned fret) {
    return fret == 0 ? QStringLiteral("open") : QStringLiteral("fret %1").arg(fret);
}

} // namespace

FretboardDemoPage::FretboardDemoPage(bool leftHanded, bool closable)
    : leftHanded_(leftHanded), closable_(closable) {
    setTitle(QStringLiteral("Fretboard"));
}

FretboardDemoPage::~FretboardDemoPage() {
    for (Neck* neck : {&portrait_, &landscape_}) {
        if (neck->fretboard) {
            neck->fretboard->setFretboardDelegate(nullptr);
        }
    }
}

void FretboardDemoPage::loadView() {
    auto* view = new Background;
    view->resize(kFrameWidth, kFrameHeight - NavigationBar::kHeight);
    setView(view);
}

void FretboardDemoPage::viewDidLoad() {
    QWidget* page = view();
    label(page, QRect(0, 4, kFrameWidth, 24), 17, cream())
        ->setText(QStringLiteral("E major \u00b7 A shape at the 7th fret"));
    portrait_.fretboard = new BZFretboard(kPortraitFretboard, page);
    portraitStatus_ = label(page, QRect(0, 388, kFrameWidth, 24), 13, cream().darker(125));

    landscapeView_ = new BZLandscapeView(*this);
    QWidget* landscapePage = landscapeView_->page();
    landscape_.fretboard =
        new BZFretboard(QRect(0, kLandscapeNeckY, kLandscapeNeckWidth, 240), landscapePage);
    landscape_.fretboard->setFretWidth(95);
    landscapeView_->titleLabel()->setText(QStringLiteral("E major"));
    landscapeStatus_ =
        label(landscapePage, QRect(0, 286, BZLandscapeView::kWidth, 28), 13, cream().darker(125));
    for (BZBarButton* button : {landscapeView_->leftButton(), landscapeView_->rightButton()}) {
        button->show();
        connect(button, &QAbstractButton::clicked, this, [this, button] {
            // The arrows move the view along the neck by a few frets, the way they point.
            BZFretboard* neck = landscape_.fretboard;
            const double step = button == landscapeView_->rightButton() ? 120.0 : -120.0;
            const double end = std::max(0.0, neck->contentSize().width() - neck->width());
            neck->setContentOffset(
                QPointF(std::clamp(neck->contentOffset().x() + step, 0.0, end), 0.0), true);
        });
    }
    landscapeView_->setWillShow([this] { landscape_.fretboard->becomeFirstResponder(); });
    landscapeView_->setWillHide([this] { portrait_.fretboard->becomeFirstResponder(); });

    fill(portrait_);
    fill(landscape_);
    tell(QStringLiteral("Tap, pluck or strum the strings"));
    navigationItem().rightButton =
        BarButton{{}, BarButton::Style::Plain, [this] { setLeftHanded(!leftHanded_); }};
    if (closable_) {
        navigationItem().leftButton =
            BarButton{QStringLiteral("Done"), BarButton::Style::Done,
                      [this] { navigationController()->dismissModalViewController(true); }};
    }
    setLeftHanded(leftHanded_);
}

void FretboardDemoPage::fill(Neck& neck) {
    BZFretboard& fretboard = *neck.fretboard;
    fretboard.setFretboardDelegate(this);
    fretboard.setScrollEnabled(true);
    fretboard.setMuted(true, kMutedString);
    for (const Fretted& fretted : kFingers) {
        auto finger = BZFinger::fingerForFretboard(fretboard);
        finger->setString(fretted.string);
        finger->setFret(fretted.fret);
        finger->setTitle(QString::fromUtf8(fretted.name));
        finger->setBackgroundStyle(fretted.root ? BZFinger::Black : BZFinger::Yellow);
        finger->setTag(static_cast<int>(fretted.string));
        neck.fingers.push_back(finger);
    }
    QWidget* parent = fretboard.parentWidget();
    for (std::size_t s = 0; s < neck.titles.size(); ++s) {
        auto* title = new BZStringTitle(parent);
        title->setText(QString::fromUtf8(kTitles[s].text));
        title->setIsRoot(kTitles[s].root);
        title->setIsOpen(kTitles[s].open);
        title->setTag(static_cast<int>(s));
        neck.titles[s] = title;
    }
}

void FretboardDemoPage::setLeftHanded(bool leftHanded) {
    leftHanded_ = leftHanded;
    if (!isViewLoaded()) {
        return;
    }
    landscape_.fretboard->move(leftHanded ? 0 : BZLandscapeView::kWidth - kLandscapeNeckWidth,
                               kLandscapeNeckY);
    for (Neck* neck : {&portrait_, &landscape_}) {
        neck->fretboard->setLeftHanded(leftHanded);
        // The fingers are placed again for the new hand, as a screen does when it redraws.
        neck->fretboard->removeAllFingers();
        for (const auto& finger : neck->fingers) {
            finger->updateFrame();
            neck->fretboard->addFinger(finger);
        }
        neck->fretboard->scrollToFret(kShownFret);
    }
    placeTitles();
    updateHandButton();
}

void FretboardDemoPage::placeTitles() {
    const int half = BZStringTitle::kSize / 2;
    for (unsigned s = 0; s < 6; ++s) {
        const int across =
            static_cast<int>(std::lround(portrait_.fretboard->positionOfString(s))) - 2;
        portrait_.titles[s]->move(kPortraitFretboard.x() + across - half, kPortraitTitlesY);
        const int y = kLandscapeNeckY +
                      static_cast<int>(std::lround(landscape_.fretboard->positionOfString(s))) - 2;
        const int x = leftHanded_ ? kLandscapeNeckWidth + 2 : 1;
        landscape_.titles[s]->move(x, y - half);
    }
}

void FretboardDemoPage::updateHandButton() {
    if (navigationItem().rightButton) {
        navigationItem().rightButton->title =
            leftHanded_ ? QStringLiteral("Right hand") : QStringLiteral("Left hand");
        navigationItemChanged();
    }
}

void FretboardDemoPage::viewWillAppear(bool) {
    landscapeView_->startObservingOrientation();
    portrait_.fretboard->becomeFirstResponder();
}

void FretboardDemoPage::viewWillDisappear(bool) {
    landscapeView_->stopObservingOrientation();
}

QString FretboardDemoPage::status() const {
    return portraitStatus_ ? portraitStatus_->text() : QString();
}

void FretboardDemoPage::tell(const QString& text) {
    portraitStatus_->setText(text);
    landscapeStatus_->setText(text);
}

void FretboardDemoPage::flash(unsigned string) {
    for (Neck* neck : {&portrait_, &landscape_}) {
        for (const auto& finger : neck->fingers) {
            if (finger->string() == string) {
                finger->highlight();
            }
        }
    }
}

void FretboardDemoPage::fretboardDidTapString(BZFretboard&, unsigned string, unsigned fret) {
    flash(string);
    tell(QStringLiteral("Tapped %1, %2").arg(stringWord(string), fretWord(fret)));
}

void FretboardDemoPage::fretboardDidPluckString(BZFretboard&, unsigned string, unsigned fret) {
    flash(string);
    tell(QStringLiteral("Plucked %1, %2").arg(stringWord(string), fretWord(fret)));
}

void FretboardDemoPage::fretboardDidStrum(BZFretboard&, int direction) {
    const QString way = direction > 0 ? QStringLiteral("down") : QStringLiteral("up");
    tell(std::abs(direction) == 2 ? QStringLiteral("Strummed %1 and back").arg(way)
                                  : QStringLiteral("Strummed %1").arg(way));
}

void FretboardDemoPage::fretboardDidShake(BZFretboard&) {
    tell(QStringLiteral("Shaken"));
}
