#include "QVHorizontalPickerView.h"

#include "QVClickSound.h"
#include "QVHorizontalPickerContentView.h"
#include "ui/ViewAnimation.h"

#include <QDateTime>
#include <QFontMetricsF>
#include <cmath>

namespace {

QFont& sharedFont() {
    static QFont font = [] {
        QFont bold;
        bold.setBold(true);
        bold.setPixelSize(26);
        return bold;
    }();
    return font;
}

std::function<void()>& clickPlayer() {
    static std::function<void()> player = QVHorizontalPickerView::playDefaultClick;
    return player;
}

} // namespace

QVHorizontalPickerView::QVHorizontalPickerView(QWidget* parent)
    : View(parent), contentView_(new QVHorizontalPickerContentView(this)) {
    timer_.setInterval(33); // 1/30 s
    connect(&timer_, &QTimer::timeout, this, &QVHorizontalPickerView::autoscroll);
}

QVHorizontalPickerView::~QVHorizontalPickerView() = default;

void QVHorizontalPickerView::setFontSize(float size) {
    sharedFont().setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
}

QFont QVHorizontalPickerView::itemFont() {
    return sharedFont();
}

void QVHorizontalPickerView::playDefaultClick() {
    // One sound for every picker, made on first use and kept for the life of the process.
    static QVClickSound* tock = new QVClickSound("QVHorizontalPickerView_tock", "caf");
    tock->play();
}

void QVHorizontalPickerView::setClickPlayer(std::function<void()> player) {
    clickPlayer() = std::move(player);
}

double QVHorizontalPickerView::now() {
    return static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
}

void QVHorizontalPickerView::resizeEvent(QResizeEvent* event) {
    View::resizeEvent(event);
    contentView_->setGeometry(rect());
    refreshPositions();
}

void QVHorizontalPickerView::reloadItems(bool animated) {
    if (animated) {
        View::setAlpha(contentView_, 0.0);
    }
    items_.clear();
    std::vector<float> widths;
    const unsigned count = delegate_ ? delegate_->numberOfItemsInPickerView(*this) : 0;
    const QFontMetricsF metrics(sharedFont());
    for (unsigned i = 0; i < count; ++i) {
        Item item = delegate_->pickerViewItemAtPosition(*this, i);
        double measured = 0.0;
        if (const auto* text = std::get_if<QString>(&item)) {
            measured = metrics.horizontalAdvance(*text);
        } else {
            measured = std::get<QPixmap>(item).deviceIndependentSize().width();
        }
        widths.push_back(fretkit::ScrollStrip::slotWidth(static_cast<float>(measured), spacing_));
        items_.push_back(std::move(item));
    }
    strip_.setWidths(std::move(widths));
    refreshPositions();
    if (animated) {
        ViewAnimation(QStringLiteral("pickerViewContent")).alpha(contentView_, 1.0).commit();
    }
}

void QVHorizontalPickerView::refreshPositions() {
    positions_ =
        strip_.positions(static_cast<float>(width()) / 2.0f, static_cast<float>(width() - 1));
    contentView_->update();
}

void QVHorizontalPickerView::setScroll(std::int32_t scroll, bool click) {
    const bool crossed = strip_.setScroll(scroll);
    if (click && crossed && clickPlayer()) {
        clickPlayer()();
    }
    refreshPositions();
    if (!isMoving_ && strip_.isAtNotch() && delegate_) {
        delegate_->pickerSelectionDidChange(*this);
    }
}

void QVHorizontalPickerView::setSelectedItemIndex(unsigned index, bool animated) {
    const auto& notches = strip_.notches();
    if (index >= notches.size()) {
        return;
    }
    if (!animated) {
        setScroll(static_cast<std::int32_t>(notches[index]), false);
        return;
    }
    fretkit::ScrollStrip::Glide glide;
    glide.start = static_cast<float>(strip_.scroll());
    glide.end = notches[index];
    glide.duration = 0.5;
    glide.startTime = now();
    startAutoscroll(glide);
}

void QVHorizontalPickerView::startAutoscroll(const fretkit::ScrollStrip::Glide& glide) {
    glide_ = glide;
    if (!timer_.isActive()) {
        timer_.start(); // a running glide simply takes the new endpoints
    }
}

void QVHorizontalPickerView::autoscroll() {
    bool done = false;
    const std::int32_t value = fretkit::ScrollStrip::glideValue(glide_, now(), done);
    if (done) {
        stopAutoscroll();
    }
    setScroll(value, true);
}

void QVHorizontalPickerView::stopAutoscroll() {
    timer_.stop();
    isMoving_ = false;
}

void QVHorizontalPickerView::touchesBegan(const Touch& touch) {
    stopAutoscroll();
    isMoving_ = true;
    strip_.beginTouch(static_cast<float>(touch.location.x()), now());
}

void QVHorizontalPickerView::touchesMoved(const Touch& touch) {
    const auto x = static_cast<float>(touch.location.x());
    const auto d = static_cast<std::int32_t>(x - strip_.lastTouchX());
    strip_.pushTouch(x, now());
    setScroll(strip_.scroll() - d, true);
}

void QVHorizontalPickerView::touchesEnded(const Touch& touch) {
    strip_.pushTouch(static_cast<float>(touch.location.x()), now());
    startAutoscroll(strip_.releaseGlide(now()));
}

void QVHorizontalPickerView::touchesCancelled(const Touch& touch) {
    touchesEnded(touch); // a lost touch still comes to rest on an item
}
