#include "TableViewCell.h"

#include "ScreenImage.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kMargin = 10;
constexpr int kAccessoryWidth = 20;

QFont labelFont(int size, bool bold) {
    QFont font;
    font.setPixelSize(size);
    font.setBold(bold);
    return font;
}

} // namespace

TableViewCell::TableViewCell(Style style, QString reuseIdentifier)
    : reuseIdentifier_(std::move(reuseIdentifier)), style_(style), contentView_(new QWidget(this)),
      textLabel_(new QLabel(contentView_)), detailTextLabel_(new QLabel(contentView_)) {
    resize(320, 45);
    textLabel_->setFont(labelFont(17, true));
    detailTextLabel_->setFont(labelFont(style == Style::Subtitle ? 13 : 15, false));
    QPalette text = textLabel_->palette();
    text.setColor(QPalette::WindowText, textColor());
    textLabel_->setPalette(text);
    text.setColor(QPalette::WindowText, detailColor());
    detailTextLabel_->setPalette(text);
    detailTextLabel_->setAlignment(style == Style::Value1 ? Qt::AlignRight | Qt::AlignVCenter
                                                          : Qt::AlignLeft | Qt::AlignVCenter);
    for (QLabel* label : {textLabel_, detailTextLabel_}) {
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    contentView_->setAttribute(Qt::WA_TransparentForMouseEvents, false);
}

QColor TableViewCell::textColor() {
    return {0x2b, 0x1d, 0x12};
}

QColor TableViewCell::detailColor() {
    return {0x7a, 0x4a, 0x1e};
}

void TableViewCell::setImage(const QPixmap& image) {
    image_ = image;
    layoutContent();
    update();
}

void TableViewCell::setAccessoryType(Accessory accessory) {
    accessory_ = accessory;
    layoutContent();
    update();
}

void TableViewCell::setHighlighted(bool highlighted) {
    highlighted_ = highlighted && selectionStyle_ != SelectionStyle::None;
    const QColor text = highlighted_ ? QColor(0xff, 0xf8, 0xec) : titleColor_;
    QPalette palette = textLabel_->palette();
    palette.setColor(QPalette::WindowText, text);
    textLabel_->setPalette(palette);
    palette.setColor(QPalette::WindowText, highlighted_ ? text : detailColor());
    detailTextLabel_->setPalette(palette);
    update();
}

void TableViewCell::setTitleColor(const QColor& color) {
    titleColor_ = color;
    setHighlighted(highlighted_);
}

void TableViewCell::setDrawsBackground(bool draws) {
    drawsBackground_ = draws;
    update();
}

void TableViewCell::setGroupPosition(GroupPosition position) {
    position_ = position;
    update();
}

void TableViewCell::resizeEvent(QResizeEvent*) {
    contentView_->setGeometry(kMargin, 0, width() - 2 * kMargin, height());
    layoutContent();
}

void TableViewCell::layoutContent() {
    const int accessory = accessory_ == Accessory::None ? 0 : kAccessoryWidth;
    const int width = contentView_->width() - accessory;
    const int height = contentView_->height();
    int left = 10;
    if (!image_.isNull()) {
        left += static_cast<int>(image_.deviceIndependentSize().width()) + 8;
    }
    const int textWidth = width - left - 8;
    switch (style_) {
    case Style::Default:
        textLabel_->setGeometry(left, 0, textWidth, height);
        detailTextLabel_->hide();
        break;
    case Style::Value1: {
        const int titleWidth = std::min(textLabel_->sizeHint().width(), textWidth - 40);
        textLabel_->setGeometry(left, 0, titleWidth, height);
        detailTextLabel_->setGeometry(left + titleWidth + 8, 0, textWidth - titleWidth - 8, height);
        detailTextLabel_->show();
        break;
    }
    case Style::Subtitle:
        if (detailTextLabel_->text().isEmpty()) {
            textLabel_->setGeometry(left, 0, textWidth, height); // no second line: centred
            detailTextLabel_->hide();
            break;
        }
        textLabel_->setGeometry(left, 2, textWidth, height / 2 + 2);
        detailTextLabel_->setGeometry(left, height / 2 + 1, textWidth, height / 2 - 4);
        detailTextLabel_->show();
        break;
    }
}

void TableViewCell::paintEvent(QPaintEvent*) {
    if (!drawsBackground_) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box =
        QRectF(kMargin, 0, width() - 2 * kMargin, height()).adjusted(0.5, 0, -0.5, 0);
    const double radius = 9.0;
    const bool roundTop = position_ == GroupPosition::Single || position_ == GroupPosition::First;
    const bool roundBottom = position_ == GroupPosition::Single || position_ == GroupPosition::Last;
    QPainterPath shape;
    shape.addRoundedRect(box.adjusted(0, roundTop ? 0.5 : -radius, 0, roundBottom ? -0.5 : radius),
                         radius, radius);
    painter.setClipRect(box.adjusted(-1, 0, 1, 0));

    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    if (highlighted_) {
        fill.setColorAt(0.0, QColor(0xd2, 0x8c, 0x3a));
        fill.setColorAt(1.0, QColor(0x9c, 0x5a, 0x1e));
    } else {
        fill.setColorAt(0.0, QColor(0xfb, 0xf5, 0xea));
        fill.setColorAt(1.0, QColor(0xf1, 0xe6, 0xd3));
    }
    painter.setPen(QPen(QColor(0x6b, 0x4f, 0x36), 1.0));
    painter.setBrush(fill);
    painter.drawPath(shape);
    if (!roundBottom) {
        painter.setPen(QPen(QColor(0xc9, 0xb8, 0x9e), 1.0));
        painter.drawLine(QPointF(box.left(), box.bottom() - 0.5),
                         QPointF(box.right(), box.bottom() - 0.5));
    }

    if (!image_.isNull()) {
        const QSizeF size = image_.deviceIndependentSize();
        painter.drawPixmap(QPointF(kMargin + 10, (height() - size.height()) / 2.0), image_);
    }
    if (accessory_ != Accessory::None) {
        const bool check = accessory_ == Accessory::Checkmark;
        QString name =
            QString::fromLatin1(check ? "TableViewCell_checkmark" : "TableViewCell_disclosure");
        if (highlighted_) {
            name += QStringLiteral("_highlighted");
        }
        const QPixmap mark = ScreenImage::load(name);
        const QSizeF size = mark.deviceIndependentSize();
        const double x = width() - kMargin - kAccessoryWidth / 2.0 - 6 - size.width() / 2.0;
        painter.drawPixmap(QPointF(x, (height() - size.height()) / 2.0), mark);
    }
}

void TableViewCell::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        setHighlighted(true);
    }
}

void TableViewCell::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (rect().contains(event->position().toPoint())) {
        emit pressed(this);
    } else {
        setHighlighted(false);
    }
}
