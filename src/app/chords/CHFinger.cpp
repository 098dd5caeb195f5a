#include "CHFinger.h"

#include "fretboard/BZFretboard.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

// Discs and halos are drawn from the middle of the string's line, which lies 2 points before
// the string's position; a disc's top left is 17 points before the position.
constexpr double kLineToDisc = 17.0;

} // namespace

CHFinger::CHFinger(BZFretboard& fretboard) : BZFinger(fretboard) {}

void CHFinger::setStrings(std::vector<unsigned> strings) {
    std::sort(strings.begin(), strings.end());
    strings.erase(std::unique(strings.begin(), strings.end()), strings.end());
    strings_ = std::move(strings);
    updateFrame();
    update();
}

bool CHFinger::holdsString(unsigned string) const {
    return std::binary_search(strings_.begin(), strings_.end(), string);
}

void CHFinger::setRootStringIndex(unsigned string) {
    rootStringIndex_ = string;
    update();
}

void CHFinger::updateFrame() {
    BZFretboard* neck = fretboard();
    if (neck == nullptr || strings_.empty()) {
        return;
    }
    const double first = neck->positionOfString(strings_.front());
    const double last = neck->positionOfString(strings_.back());
    const double along = neck->positionOfFinger(fret());
    QPointF centre;
    QSizeF size;
    if (neck->isHorizontal()) {
        // String 0 lies lowest on the screen.
        const double span = first - last;
        size = QSizeF(kSize, kSize + span);
        centre = QPointF(along, last + span / 2.0 - 2.0);
    } else {
        // A left-handed upright neck has string 0 on the right.
        const double low = neck->leftHanded() ? last : first;
        const double span = std::fabs(last - first);
        size = QSizeF(kSize + span, kSize);
        centre = QPointF(low + span / 2.0 - 2.0, along);
    }
    // Whole points: a barre over an odd number of string spaces is an odd number of points wide,
    // so its origin is rounded rather than its centre.
    setGeometry(static_cast<int>(std::lround(centre.x() - size.width() / 2.0)),
                static_cast<int>(std::lround(centre.y() - size.height() / 2.0)),
                static_cast<int>(std::lround(size.width())),
                static_cast<int>(std::lround(size.height())));
    // Halos were placed for the old frame.
    removeHalos();
}

std::optional<QPoint> CHFinger::discOrigin(unsigned string) const {
    const BZFretboard* neck = fretboard();
    if (neck == nullptr || !holdsString(string)) {
        return std::nullopt;
    }
    const double position = neck->positionOfString(string);
    if (neck->isHorizontal()) {
        return QPoint(1, static_cast<int>(std::lround(position - (y() + kLineToDisc))));
    }
    return QPoint(static_cast<int>(std::lround(position - (x() + kLineToDisc))), 1);
}

void CHFinger::highlightStringIndex(unsigned string) {
    if (const std::optional<QPoint> disc = discOrigin(string)) {
        // Centred on the disc.
        const int outset = (kHaloSize - kDiscSize) / 2;
        flashHalo(static_cast<int>(string),
                  QRect(*disc - QPoint(outset, outset), QSize(kHaloSize, kHaloSize)));
    }
}

void CHFinger::paintEvent(QPaintEvent*) {
    if (strings_.empty() || fretboard() == nullptr) {
        return;
    }
    QPainter painter(this);
    applyAlpha(painter);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (strings_.size() > 1) {
        // The capsule: as long as the view, as thick as a disc less 4 points, round-ended.
        const QRectF inside = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        const bool horizontal = fretboard()->isHorizontal();
        const double radius = (horizontal ? width() : height()) / 2.0 - 2.0;
        const QRectF capsule =
            horizontal
                ? QRectF(inside.center().x() - radius, inside.top(), 2 * radius, inside.height())
                : QRectF(inside.left(), inside.center().y() - radius, inside.width(), 2 * radius);
        QPainterPath path;
        path.addRoundedRect(capsule, radius, radius);
        painter.fillPath(path, barreColour());
        // A fine amber edge, so that the pale bar also reads on a pale maple board.
        painter.setPen(QPen(QColor(0x8a, 0x5a, 0x1a, 150), 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }
    const QFontMetricsF metrics(titleFont());
    // The title centred on each disc.
    const QPointF titleOffset(kDiscSize / 2.0 - metrics.horizontalAdvance(title()) / 2.0,
                              kDiscSize / 2.0 - metrics.height() / 2.0);
    for (const unsigned string : strings_) {
        const QPoint disc = *discOrigin(string);
        const bool root = string == rootStringIndex_;
        painter.drawPixmap(disc, root ? blackBackground() : yellowBackground());
        if (!title().isEmpty()) {
            drawTitle(painter, title(), QPointF(disc) + titleOffset, root);
        }
    }
}
