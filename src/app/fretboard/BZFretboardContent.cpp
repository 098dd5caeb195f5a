#include "BZFretboardContent.h"

#include "BZFretboard.h"
#include "BZFretboardDelegate.h"
#include "NeckFrame.h"
#include "ui/ScreenImage.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPointer>

using fretkit::FretboardGeometry;
using fretkit::FretboardTouch;

namespace {

// Where the wood's pictures go, across an upright neck (a neck on its side is drawn turned).
constexpr double kFingerboardX = 19.0;
constexpr double kNutX = 36.0;
constexpr double kNutBefore = 5.0;          // the nut starts this far before fret wire 0
constexpr double kMirroredNutBefore = 26.0; // ... and on a mirrored neck, this far before its end
constexpr double kFretX = 35.0;
constexpr double kFretHalfHeight = 3.0;
constexpr double kInlaySize = 20.0;
constexpr double kInlayX = 120.5;
constexpr double kDoubleInlayX[] = {67.5, 172.5};
constexpr double kHorizontalNumberBaseline = 227.0;
constexpr double kVerticalNumberRight = 25.0;

FretboardTouch::Point pointOf(QPointF point) {
    return {static_cast<float>(point.x()), static_cast<float>(point.y())};
}

QFont fretNumberFont() {
    QFont font;
    font.setPixelSize(BZFretboardContent::kFretNumberSize);
    font.setBold(true);
    return font;
}

} // namespace

BZFretboardContent::BZFretboardContent(const QRect& frame, BZFretboard* fretboard, QWidget* parent)
    : View(parent), fretboard_(fretboard) {
    setGeometry(frame);
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    geometry_.setHorizontal(frame.width() > frame.height());
    for (const int gauge : FretboardGeometry::kGauges) {
        strings_.push_back(std::make_unique<BZString>(gauge));
    }
    updateStringPositions();
}

BZFretboardContent::~BZFretboardContent() = default;

void BZFretboardContent::setLeftHanded(bool leftHanded) {
    if (leftHanded != geometry_.leftHanded()) {
        geometry_.setLeftHanded(leftHanded);
        updateStringPositions();
    }
}

unsigned BZFretboardContent::fretForPosition(QPointF point) const {
    return geometry_.fretForPosition(
        static_cast<float>(geometry_.horizontal() ? point.x() : point.y()));
}

void BZFretboardContent::updateStringPositions() {
    for (std::size_t i = 0; i < strings_.size(); ++i) {
        strings_[i]->setPosition(geometry_.stringPosition(static_cast<unsigned>(i)));
    }
    update();
}

void BZFretboardContent::resizeEvent(QResizeEvent* event) {
    View::resizeEvent(event);
    if (geometry_.horizontal() != isHorizontal()) {
        geometry_.setHorizontal(isHorizontal());
        updateStringPositions();
    }
}

// Touches.

FretboardTouch::Neck BZFretboardContent::neck(std::vector<FretboardTouch::String>& lines) const {
    lines.clear();
    for (const auto& string : strings_) {
        lines.push_back({string->position(), string->muted()});
    }
    return {geometry_, lines, static_cast<float>(width()), static_cast<float>(height())};
}

bool BZFretboardContent::enclosingScrollEnabled() const {
    return fretboard_ && fretboard_->isScrollEnabled();
}

void BZFretboardContent::setEnclosingScrollEnabled(bool enabled) {
    if (fretboard_) {
        fretboard_->setScrollEnabled(enabled);
    }
}

void BZFretboardContent::touchesBegan(const Touch& touch) {
    touch_.began(pointOf(touch.location), enclosingScrollEnabled());
}

void BZFretboardContent::touchesMoved(const Touch& touch) {
    // A stroke never scrolls the neck.
    setEnclosingScrollEnabled(false);
    std::vector<FretboardTouch::String> lines;
    report(touch_.moved(pointOf(touch.previousLocation), pointOf(touch.location), neck(lines)));
}

void BZFretboardContent::touchesEnded(const Touch& touch) {
    std::vector<FretboardTouch::String> lines;
    const auto events = touch_.ended(pointOf(touch.location), neck(lines));
    if (touch_.scrollWasEnabled()) {
        setEnclosingScrollEnabled(true);
    }
    report(events);
}

void BZFretboardContent::touchesCancelled(const Touch&) {
    touch_.cancelled();
    if (touch_.scrollWasEnabled()) {
        setEnclosingScrollEnabled(true);
    }
}

void BZFretboardContent::report(const std::vector<FretboardTouch::Event>& events) {
    // A delegate may take the neck off the screen while it hears of a touch.
    const QPointer<BZFretboard> fretboard = fretboard_;
    for (const FretboardTouch::Event& event : events) {
        if (!fretboard || !fretboard->fretboardDelegate()) {
            return;
        }
        BZFretboardDelegate* delegate = fretboard->fretboardDelegate();
        switch (event.kind) {
        case FretboardTouch::Event::Kind::Tap:
            if (auto* tap = dynamic_cast<BZFretboardDidTapString*>(delegate)) {
                tap->fretboardDidTapString(*fretboard, event.string, event.fret);
            }
            break;
        case FretboardTouch::Event::Kind::Pluck:
            if (auto* pluck = dynamic_cast<BZFretboardDidPluckString*>(delegate)) {
                pluck->fretboardDidPluckString(*fretboard, event.string, event.fret);
            }
            break;
        case FretboardTouch::Event::Kind::Strum:
            if (auto* strum = dynamic_cast<BZFretboardDidStrum*>(delegate)) {
                strum->fretboardDidStrum(*fretboard, event.direction);
            }
            break;
        }
    }
}

// Drawing.

void BZFretboardContent::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QPixmap& neck = neckPicture();
    const QRect exposed = event->rect();
    const double scale = neck.devicePixelRatio();
    painter.drawPixmap(QRectF(exposed), neck,
                       QRectF(exposed.x() * scale, exposed.y() * scale, exposed.width() * scale,
                              exposed.height() * scale));
}

BZFretboardContent::NeckKey BZFretboardContent::neckKey() const {
    unsigned muted = 0;
    for (std::size_t i = 0; i < strings_.size(); ++i) {
        muted |= strings_[i]->muted() ? 1u << i : 0u;
    }
    return {ScreenImage::scale(),
            size(),
            geometry_.horizontal(),
            geometry_.leftHanded(),
            geometry_.nutOffset(),
            geometry_.fretWidth(),
            muted};
}

const QPixmap& BZFretboardContent::neckPicture() {
    const NeckKey key = neckKey();
    if (!neck_.isNull() && key == neckKey_) {
        return neck_;
    }
    neckKey_ = key;
    neck_ = QPixmap(size() * key.scale);
    neck_.setDevicePixelRatio(key.scale);
    neck_.fill(Qt::transparent);
    QPainter painter(&neck_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    drawNeck(painter, rect());
    return neck_;
}

void BZFretboardContent::redrawNeck() {
    neck_ = QPixmap();
    update();
}

void BZFretboardContent::drawNeck(QPainter& painter, const QRectF& clip) const {
    drawFretNumbers(painter, clip);
    // Lying on its side, the wood is laid out as on an upright neck (x across, y along) and
    // turned a quarter back; the strings lie across in the view's own y, along from the far end.
    const bool lying = geometry_.horizontal();
    const QSizeF upright(FretboardGeometry::kShortSide, FretboardGeometry::kMaximumLength);
    drawWood(NeckFrame(painter, lying ? NeckFrame::Turn::Anticlockwise : NeckFrame::Turn::Upright,
                       upright));
    const NeckFrame strings(painter, lying ? NeckFrame::Turn::Clockwise : NeckFrame::Turn::Upright,
                            upright);
    for (const auto& string : strings_) {
        string->draw(strings);
    }
}

void BZFretboardContent::drawFretNumbers(QPainter& painter, const QRectF& clip) const {
    const QFont font = fretNumberFont();
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 255, static_cast<int>(255 * kFretNumberAlpha)));
    for (unsigned fret = 1; fret <= FretboardGeometry::kFrets; ++fret) {
        const QString text = QString::number(fret);
        const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
        const double finger = geometry_.positionOfFinger(fret);
        const QPointF at =
            geometry_.horizontal()
                ? QPointF(finger - size.width() / 2.0, kHorizontalNumberBaseline - size.height())
                : QPointF(kVerticalNumberRight - size.width(), finger - size.height() / 2.0);
        const QRectF box(at, size);
        if (box.intersects(clip)) {
            painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
        }
    }
}

void BZFretboardContent::drawWood(const NeckFrame& frame) const {
    QPainter& painter = frame.painter();
    frame.drawPixmap(QPointF(kFingerboardX, 0.0),
                     ScreenImage::load(QStringLiteral("BZFretboard_fingerboard_maple")));
    const double length = geometry_.length();
    const double nutOffset = geometry_.nutOffset();
    const double neckStart = FretboardGeometry::kNeckStart;
    const double nut = geometry_.horizontal() && geometry_.leftHanded()
                           ? length - kMirroredNutBefore - nutOffset
                           : neckStart - kNutBefore + nutOffset;
    frame.drawPixmap(QPointF(kNutX, nut), ScreenImage::load(QStringLiteral("BZFretboard_nut")));

    const QPixmap fret = ScreenImage::load(QStringLiteral("BZFretboard_fret"));
    const QPixmap inlay = ScreenImage::load(QStringLiteral("BZFretboard_inlay"));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (unsigned n = 1; n <= FretboardGeometry::kFrets; ++n) {
        const double wire = geometry_.positionOfFret(n);
        frame.drawPixmap(QPointF(kFretX, wire - kFretHalfHeight), fret);
        if (!FretboardGeometry::isDotFret(n)) {
            continue;
        }
        const double middle = geometry_.positionOfFinger(n);
        const double y = middle - kInlaySize / 2.0;
        auto dot = [&](double x) {
            frame.drawEllipse(QRectF(x, y, kInlaySize, kInlaySize));
            frame.drawPixmap(QPointF(x, y), inlay);
        };
        if (FretboardGeometry::isDoubleDotFret(n)) {
            dot(kDoubleInlayX[0]);
            dot(kDoubleInlayX[1]);
        } else {
            dot(kInlayX);
        }
    }
}
