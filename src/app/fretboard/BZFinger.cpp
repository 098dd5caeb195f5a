#include "BZFinger.h"

#include "BZFretboard.h"
#include "ui/ScreenImage.h"
#include "ui/ViewAnimation.h"

#include <QEvent>
#include <QMoveEvent>
#include <QPainter>
#include <cmath>

namespace {

// The flash over a finger: the bundle's halo, stretched over the view; it lets touches through.
class HaloView : public View {
public:
    explicit HaloView(QWidget* parent) : View(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setPaintsOwnAlpha();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        applyAlpha(painter);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        ScreenImage::drawStretched(painter, rect(),
                                   ScreenImage::load(QStringLiteral("BZFinger_highlight")),
                                   BZFinger::kHaloCap);
    }
};

// One picture per screen scale, loaded on first use and kept.
const QPixmap& classImage(const char* name, QPixmap (&images)[3]) {
    QPixmap& image = images[ScreenImage::scale()];
    if (image.isNull()) {
        image = ScreenImage::load(QString::fromLatin1(name));
    }
    return image;
}

} // namespace

BZFinger::BZFinger(BZFretboard& fretboard) : View(nullptr), fretboard_(&fretboard) {
    resize(kSize, kSize);
    setPaintsOwnAlpha(); // fingers fade on the landscape necks too
    setAttribute(Qt::WA_TranslucentBackground);
    yellowBackground();
    blackBackground();
}

BZFinger::~BZFinger() {
    removeHalos();
}

QFont BZFinger::titleFont() {
    QFont font;
    font.setPixelSize(kTitleFontSize);
    font.setBold(true);
    // The narrower cut keeps two-character titles ("F#", "b7") inside the disc.
    font.setStretch(QFont::SemiCondensed);
    return font;
}

const QPixmap& BZFinger::yellowBackground() {
    static QPixmap images[3];
    return classImage("BZFinger_background_yellow", images);
}

const QPixmap& BZFinger::blackBackground() {
    static QPixmap images[3];
    return classImage("BZFinger_background_black", images);
}

void BZFinger::setBackgroundStyle(unsigned style) {
    backgroundStyle_ = style;
    update();
}

void BZFinger::setTitle(const QString& title) {
    if (title == title_) {
        return;
    }
    title_ = title;
    const double measured = QFontMetricsF(titleFont()).horizontalAdvance(title_) + 6.0;
    const double width = std::isnan(measured) ? kSize : std::clamp(measured, 32.0, 36.0);
    resize(static_cast<int>(std::lround(width)), height());
    updateFrame();
    update();
}

void BZFinger::setString(unsigned string) {
    string_ = string;
    updateFrame();
}

void BZFinger::setFret(unsigned fret) {
    fret_ = fret;
    updateFrame();
}

void BZFinger::updateFrame() {
    if (!fretboard_) {
        return;
    }
    const double along = fretboard_->positionOfFinger(fret_);
    // Fingers sit on the string's line, which lies 2 points before its position.
    const double across = static_cast<double>(fretboard_->positionOfString(string_)) - 2.0;
    const QPointF centre =
        fretboard_->isHorizontal() ? QPointF(along, across) : QPointF(across, along);
    move(static_cast<int>(std::lround(std::round(centre.x()) - width() / 2.0)),
         static_cast<int>(std::lround(std::round(centre.y()) - height() / 2.0)));
}

void BZFinger::highlight() {
    flashHalo(0, rect().adjusted(-kHaloOutset, -kHaloOutset, kHaloOutset, kHaloOutset));
}

QWidget* BZFinger::halo(int tag) const {
    for (const Halo& halo : halos_) {
        if (halo.tag == tag) {
            return halo.view;
        }
    }
    return nullptr;
}

void BZFinger::flashHalo(int tag, const QRect& rect) {
    auto it = std::find_if(halos_.begin(), halos_.end(),
                           [tag](const Halo& halo) { return halo.tag == tag && halo.view; });
    if (it == halos_.end()) {
        halos_.push_back({tag, rect, new HaloView(parentWidget())});
        it = std::prev(halos_.end());
    }
    it->rect = rect;
    QWidget* view = it->view;
    placeHalos();
    View::setAlpha(view, 1.0);
    view->setVisible(showsHalos());
    QPointer<QWidget> flashed = view;
    ViewAnimation(QStringLiteral("highlight"))
        .duration(kHighlightDuration)
        .curve(ViewAnimation::Curve::EaseOut)
        .beginFromCurrentState(true)
        .alpha(view, 0.0)
        .didStop([flashed](const QString&, bool finished) {
            if (finished && flashed) {
                flashed->hide(); // faded out: nothing left to draw
            }
        })
        .commit();
}

void BZFinger::removeHalos() {
    for (Halo& halo : halos_) {
        delete halo.view.data();
    }
    halos_.clear();
}

void BZFinger::placeHalos() {
    for (Halo& halo : halos_) {
        if (!halo.view) {
            continue;
        }
        if (halo.view->parentWidget() != parentWidget()) {
            halo.view->setParent(parentWidget());
        }
        if (parentWidget()) {
            halo.view->setGeometry(halo.rect.translated(pos()));
            halo.view->raise();
        }
    }
}

bool BZFinger::showsHalos() const {
    // A finger off the neck keeps its halos, hidden (never as windows of their own).
    return parentWidget() && isVisibleTo(parentWidget());
}

void BZFinger::moveEvent(QMoveEvent* event) {
    View::moveEvent(event);
    placeHalos();
}

bool BZFinger::event(QEvent* event) {
    const bool handled = View::event(event);
    switch (event->type()) {
    case QEvent::ParentChange:
        // Halos go where the finger goes, still fading.
        placeHalos();
        [[fallthrough]];
    case QEvent::Show:
    case QEvent::Hide:
        for (Halo& halo : halos_) {
            if (halo.view && View::alpha(halo.view) > 0.0) {
                halo.view->setVisible(showsHalos());
            }
        }
        break;
    default:
        break;
    }
    return handled;
}

void BZFinger::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    applyAlpha(painter);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    ScreenImage::drawStretched(painter, rect().adjusted(1, 1, -1, -1),
                               backgroundStyle_ == Black ? blackBackground() : yellowBackground(),
                               kBackgroundCap);
    if (title_.isEmpty()) {
        return;
    }
    const QFontMetricsF metrics(titleFont());
    const QPointF at(width() / 2.0 - metrics.horizontalAdvance(title_) / 2.0,
                     16.0 - metrics.height() / 2.0);
    drawTitle(painter, title_, at, backgroundStyle_ == Black);
}

void BZFinger::drawTitle(QPainter& painter, const QString& title, QPointF at, bool black) {
    const QFont font = titleFont();
    painter.setFont(font);
    const double ascent = QFontMetricsF(font).ascent();
    auto text = [&](const QColor& colour, double dy) {
        painter.setPen(colour);
        painter.drawText(QPointF(at.x(), at.y() + dy + ascent), title);
    };
    if (black) {
        text(Qt::black, -2.0);
        text(QColor::fromHsvF(0.166f, 0.4f, 0.85f), -1.0);
    } else {
        text(Qt::white, 0.0);
        text(Qt::black, -1.0);
    }
}

void BZFinger::touchesBegan(const Touch& touch) {
    if (fretboard_) {
        fretboard_->touchesBegan(touch, *this);
    }
}

void BZFinger::touchesMoved(const Touch& touch) {
    if (fretboard_) {
        fretboard_->touchesMoved(touch, *this);
    }
}

void BZFinger::touchesEnded(const Touch& touch) {
    if (fretboard_) {
        fretboard_->touchesEnded(touch, *this);
    }
}

void BZFinger::touchesCancelled(const Touch& touch) {
    if (fretboard_) {
        fretboard_->touchesCancelled(touch, *this);
    }
}
