#include "MTTempoEditorTitlePicker.h"

#include "MTTempoEditor.h"
#include "foundation/TimerScheduler.h"
#include "kit/QVClickSound.h"
#include "metronome/MTTempoEditorModel.h"
#include "ui/ScreenImage.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QWheelEvent>

namespace {

std::function<void()>& clickPlayer() {
    static std::function<void()> player = MTTempoEditorTitlePicker::playDefaultClick;
    return player;
}

} // namespace

MTTempoEditorTitlePicker::MTTempoEditorTitlePicker(fretkit::TimerScheduler& timers, QWidget* parent)
    : View(parent), timers_(timers) {
    font_.setBold(true);
    font_.setPixelSize(kFontSize);
    const QFontMetricsF metrics(font_);
    std::vector<float> widths;
    for (const MTTempoName& name : MTTempoEditorModel::names()) {
        const auto measured =
            static_cast<float>(metrics.horizontalAdvance(QString::fromStdString(name.title)));
        widths.push_back(fretkit::ScrollStrip::slotWidth(measured, kSpacing));
    }
    model_.setWidths(std::move(widths));
}

MTTempoEditorTitlePicker::~MTTempoEditorTitlePicker() {
    stopAutoscroll();
}

void MTTempoEditorTitlePicker::playDefaultClick() {
    // One sound for every strip, made on first use and kept for the life of the process.
    static QVClickSound* tock = new QVClickSound("MTTempoEditorTitlePicker_tock", "caf");
    tock->play();
}

void MTTempoEditorTitlePicker::setClickPlayer(std::function<void()> player) {
    clickPlayer() = std::move(player);
}

bool MTTempoEditorTitlePicker::isAutoscrolling() const {
    return timer_ && timer_->isValid();
}

void MTTempoEditorTitlePicker::setTempo(std::uint32_t tempo) {
    apply(model_.showTempo(tempo, timers_.now()));
    if (model_.isGliding()) {
        startAutoscroll();
    }
}

void MTTempoEditorTitlePicker::apply(const MTTempoStripModel::Move& move) {
    if (move.click && clickPlayer()) {
        clickPlayer()();
    }
    refreshPositions();
    if (move.tempo && editor_ != nullptr) {
        editor_->setTempo(*move.tempo);
    }
}

void MTTempoEditorTitlePicker::refreshPositions() {
    positions_ = model_.strip().positions(static_cast<float>(width()) / 2.0f,
                                          static_cast<float>(width() - 1));
    update();
}

void MTTempoEditorTitlePicker::startAutoscroll() {
    if (!isAutoscrolling()) { // a running glide simply takes the new end
        timer_ = timers_.scheduleRepeating(kStepInterval, [this] { autoscroll(); });
    }
}

void MTTempoEditorTitlePicker::autoscroll() {
    const MTTempoStripModel::Move move = model_.glide(timers_.now());
    if (!model_.isGliding()) {
        stopAutoscroll();
    }
    apply(move);
}

void MTTempoEditorTitlePicker::stopAutoscroll() {
    if (timer_) {
        timer_->invalidate();
        timer_.reset();
    }
}

void MTTempoEditorTitlePicker::touchesBegan(const Touch& touch) {
    stopAutoscroll();
    model_.beginTouch(static_cast<float>(touch.location.x()), timers_.now());
}

void MTTempoEditorTitlePicker::touchesMoved(const Touch& touch) {
    apply(model_.moveTouch(static_cast<float>(touch.location.x()), timers_.now()));
}

void MTTempoEditorTitlePicker::touchesEnded(const Touch& touch) {
    model_.endTouch(static_cast<float>(touch.location.x()), timers_.now());
    startAutoscroll();
}

void MTTempoEditorTitlePicker::touchesCancelled(const Touch& touch) {
    touchesEnded(touch); // a lost touch still comes to rest on a name
}

void MTTempoEditorTitlePicker::wheelEvent(QWheelEvent* event) {
    const int names = MTTempoEditor::wheelNotches(*event, wheelDelta_);
    event->accept();
    if (names == 0) {
        return;
    }
    // Up goes to the faster names, on the right of the strip; the glide lands as a release
    // does and sets that name's middle tempo.
    model_.stepNames(names, timers_.now());
    startAutoscroll();
}

void MTTempoEditorTitlePicker::resizeEvent(QResizeEvent* event) {
    View::resizeEvent(event);
    refreshPositions();
}

void MTTempoEditorTitlePicker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    ScreenImage::drawStretched(painter, rect(),
                               ScreenImage::load(QStringLiteral("MTTempoEditor_background")), 12);
    painter.setFont(font_);
    const QFontMetricsF metrics(font_);
    const auto& names = MTTempoEditorModel::names();
    const auto& widths = model_.strip().widths();
    const double middle = rect().center().y() + 0.5;
    for (std::size_t i = 0; i < names.size() && i < positions_.size(); ++i) {
        if (positions_[i] == fretkit::ScrollStrip::kNotFound) {
            continue;
        }
        const QString title = QString::fromStdString(names[i].title);
        const QSizeF size(metrics.horizontalAdvance(title), metrics.height());
        const QPointF at(positions_[i] + static_cast<double>(widths[i]) / 2.0 - size.width() / 2.0,
                         middle - size.height() / 2.0 - 1.0 + metrics.ascent());
        painter.setPen(Qt::white); // an engraved look: a white shadow one point below
        painter.drawText(at + QPointF(0, 1), title);
        painter.setPen(Qt::black);
        painter.drawText(at, title);
    }
    drawFrame(painter);
}

void MTTempoEditorTitlePicker::drawFrame(QPainter& painter) const {
    // The plate curves away at both ends, and a pointer above and below marks the centre.
    const double fade = 56.0;
    for (const bool left : {true, false}) {
        const double edge = left ? 0.0 : width();
        QLinearGradient shade(QPointF(edge, 0), QPointF(left ? fade : edge - fade, 0));
        shade.setColorAt(0.0, QColor(0x2a, 0x16, 0x0c, 170));
        shade.setColorAt(1.0, QColor(0x2a, 0x16, 0x0c, 0));
        painter.fillRect(QRectF(left ? 0.0 : edge - fade, 0, fade, height()), shade);
    }
    const double middle = width() / 2.0;
    painter.setPen(QPen(QColor(0x5a, 0x0c, 0x06), 0.8));
    painter.setBrush(QColor(0xc8, 0x2c, 0x1c));
    for (const bool top : {true, false}) {
        const double y = top ? 2.5 : height() - 2.5;
        const double tip = top ? y + 6.0 : y - 6.0;
        painter.drawPolygon(
            QPolygonF({QPointF(middle - 6.0, y), QPointF(middle + 6.0, y), QPointF(middle, tip)}));
    }
}
