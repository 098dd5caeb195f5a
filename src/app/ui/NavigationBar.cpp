#include "NavigationBar.h"

#include "ScreenImage.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

QFont buttonFont() {
    QFont font;
    font.setPixelSize(12);
    font.setBold(true);
    return font;
}

} // namespace

NavigationBar::NavigationBar(QWidget* parent) : QWidget(parent) {
    resize(320, kHeight);
}

void NavigationBar::setBarStyle(Style style) {
    style_ = style;
    update();
}

void NavigationBar::setItem(const NavigationItem& item, const QString& backTitle) {
    item_ = item;
    backTitle_ = backTitle;
    update();
}

QString NavigationBar::leftTitle() const {
    return item_.leftButton ? item_.leftButton->title : backTitle_;
}

int NavigationBar::buttonWidth(const QString& title) const {
    const QFontMetrics metrics(buttonFont());
    return std::clamp(metrics.horizontalAdvance(title) + 20, 50, 130);
}

QRect NavigationBar::leftButtonRect() const {
    if (item_.leftButton && !item_.leftButton->image.isEmpty()) {
        return QRect(5, 7, imageButtonWidth(*item_.leftButton), 30);
    }
    const QString title = leftTitle();
    if (title.isEmpty()) {
        return {};
    }
    const int extra = item_.leftButton ? 0 : 6; // the back button's point
    return QRect(5, 7, buttonWidth(title) + extra, 30);
}

QRect NavigationBar::rightButtonRect() const {
    if (!item_.rightButton) {
        return {};
    }
    const int buttonW = item_.rightButton->image.isEmpty() ? buttonWidth(item_.rightButton->title)
                                                           : imageButtonWidth(*item_.rightButton);
    return QRect(width() - 5 - buttonW, 7, buttonW, 30);
}

int NavigationBar::imageButtonWidth(const BarButton& button) const {
    const QPixmap image = ScreenImage::load(button.image);
    return std::max(30, static_cast<int>(image.deviceIndependentSize().width()));
}

void NavigationBar::drawImageButton(QPainter& painter, const QRect& rect, const BarButton& button,
                                    bool pressed) const {
    const QPixmap image = ScreenImage::load(button.image);
    const QSizeF size = image.deviceIndependentSize();
    painter.setOpacity(pressed ? 0.6 : 1.0);
    painter.drawPixmap(QPointF(rect.center().x() + 0.5 - size.width() / 2.0,
                               rect.center().y() + 0.5 - size.height() / 2.0),
                       image);
    painter.setOpacity(1.0);
}

void NavigationBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect bar = rect();
    const QPixmap background = ScreenImage::load(QStringLiteral("NavigationBar_background"));
    if (style_ == Style::Default && !background.isNull()) {
        painter.drawPixmap(bar, background);
    } else {
        QLinearGradient shade(0, 0, 0, bar.height());
        shade.setColorAt(0.0, QColor(60, 60, 60, 235));
        shade.setColorAt(0.5, QColor(20, 20, 20, 235));
        shade.setColorAt(1.0, QColor(0, 0, 0, 235));
        painter.fillRect(bar, shade);
        painter.setPen(QColor(255, 255, 255, 40));
        painter.drawLine(0, 0, bar.width(), 0);
    }

    const QRect left = leftButtonRect();
    const QRect right = rightButtonRect();
    if (!left.isNull() && item_.leftButton && !item_.leftButton->image.isEmpty()) {
        drawImageButton(painter, left, *item_.leftButton, pressed_ < 0);
    } else if (!left.isNull()) {
        drawButton(painter, left, leftTitle(), !item_.leftButton,
                   item_.leftButton && item_.leftButton->style == BarButton::Style::Done,
                   pressed_ < 0);
    }
    if (!right.isNull() && !item_.rightButton->image.isEmpty()) {
        drawImageButton(painter, right, *item_.rightButton, pressed_ > 0);
    } else if (!right.isNull()) {
        drawButton(painter, right, item_.rightButton->title, false,
                   item_.rightButton->style == BarButton::Style::Done, pressed_ > 0);
    }

    // The title is centred on the bar, but kept clear of the buttons.
    const int margin = std::max(left.isNull() ? 10 : left.right() + 8,
                                right.isNull() ? 10 : width() - right.left() + 8);
    QFont font;
    font.setPixelSize(20);
    font.setBold(true);
    painter.setFont(font);
    QRect titleRect(margin, 0, width() - 2 * margin, bar.height());
    if (QFontMetrics(font).horizontalAdvance(item_.title) > titleRect.width()) {
        // Too long to centre on the bar: it takes the room between the buttons instead.
        const int from = left.isNull() ? 10 : left.right() + 8;
        const int to = right.isNull() ? width() - 10 : right.left() - 8;
        titleRect = QRect(from, 0, std::max(0, to - from), bar.height());
    }
    const QString title =
        QFontMetrics(font).elidedText(item_.title, Qt::ElideRight, titleRect.width());
    painter.setPen(QColor(0, 0, 0, 160));
    painter.drawText(titleRect.translated(0, -1), Qt::AlignCenter, title);
    painter.setPen(QColor(0xf4, 0xec, 0xdc));
    painter.drawText(titleRect, Qt::AlignCenter, title);
}

void NavigationBar::drawButton(QPainter& painter, const QRect& rect, const QString& title,
                               bool back, bool done, bool pressed) const {
    QPainterPath shape;
    const QRectF r = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    if (back) {
        const double tip = 12.0;
        shape.moveTo(r.left(), r.center().y());
        shape.lineTo(r.left() + tip, r.top());
        shape.lineTo(r.right() - 5, r.top());
        shape.quadTo(r.right(), r.top(), r.right(), r.top() + 5);
        shape.lineTo(r.right(), r.bottom() - 5);
        shape.quadTo(r.right(), r.bottom(), r.right() - 5, r.bottom());
        shape.lineTo(r.left() + tip, r.bottom());
        shape.closeSubpath();
    } else {
        shape.addRoundedRect(r, 5, 5);
    }
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    if (done) {
        fill.setColorAt(0.0, QColor(0xc8, 0x8a, 0x3c));
        fill.setColorAt(1.0, QColor(0x8a, 0x52, 0x1c));
    } else {
        fill.setColorAt(0.0, QColor(0x5a, 0x50, 0x48));
        fill.setColorAt(1.0, QColor(0x2c, 0x26, 0x22));
    }
    painter.setPen(QPen(QColor(0, 0, 0, 170), 1));
    painter.setBrush(fill);
    painter.drawPath(shape);
    if (pressed) {
        painter.fillPath(shape, QColor(0, 0, 0, 90));
    }
    painter.setFont(buttonFont());
    painter.setPen(QColor(0xf8, 0xf0, 0xe0));
    const QRect textRect = rect.adjusted(back ? 10 : 4, 0, -4, 0);
    painter.drawText(
        textRect, Qt::AlignCenter,
        QFontMetrics(buttonFont()).elidedText(title, Qt::ElideRight, textRect.width()));
}

void NavigationBar::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    pressed_ = leftButtonRect().contains(point) ? -1 : rightButtonRect().contains(point) ? 1 : 0;
    update();
}

void NavigationBar::mouseReleaseEvent(QMouseEvent* event) {
    const int pressed = std::exchange(pressed_, 0);
    update();
    const QPoint point = event->position().toPoint();
    // The action runs on a copy: it may well replace this bar's item.
    std::function<void()> action;
    if (pressed < 0 && leftButtonRect().contains(point)) {
        if (!item_.leftButton) {
            emit backPressed();
            return;
        }
        action = item_.leftButton->action;
    } else if (pressed > 0 && rightButtonRect().contains(point)) {
        action = item_.rightButton->action;
    }
    if (action) {
        action();
    }
}
