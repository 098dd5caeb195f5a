#include "DFMainTableViewCell.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// Where the distance ends: clear of the disclosure indicator.
constexpr int kAccessorySpace = 24;

} // namespace

DFMainTableViewCell::DFMainTableViewCell()
    : TableViewCell(Style::Subtitle, QString::fromLatin1(kReuseIdentifier)) {
    QFont title = textLabel()->font();
    title.setPixelSize(15);
    title.setBold(true);
    textLabel()->setFont(title);
    distanceFont_.setPixelSize(14);
    setAccessoryType(Accessory::DisclosureIndicator);
}

void DFMainTableViewCell::setDealer(const fretkit::PlistValue& dealer) {
    setTexts(QString::fromStdString(dealer["ALCLTX"].stringValue()),
             QString::fromStdString(dealer["ALCMTX"].stringValue()) + QStringLiteral(", ") +
                 QString::fromStdString(dealer["ALCPTX"].stringValue()),
             QString::fromStdString(dealer["distanceText"].stringValue()));
}

void DFMainTableViewCell::setTexts(const QString& title, const QString& subtitle,
                                   const QString& distance) {
    title_ = title;
    detailTextLabel()->setText(subtitle);
    distance_ = distance;
    layoutContent();
    update();
}

QRect DFMainTableViewCell::distanceRect() const {
    const int width = QFontMetrics(distanceFont_).horizontalAdvance(distance_);
    const int right = contentView()->geometry().right() - kAccessorySpace;
    return {right - width, 5, width, 21};
}

void DFMainTableViewCell::layoutContent() {
    const QRect distance = distanceRect();
    const int left = 10;
    const int right = (distance_.isEmpty() ? contentView()->geometry().right() - kAccessorySpace
                                           : distance.left() - 6) -
                      contentView()->x();
    textLabel()->setGeometry(left, 6, right - left, 20);
    // A long name ends in an ellipsis rather than running under the distance.
    textLabel()->setText(
        QFontMetrics(textLabel()->font()).elidedText(title_, Qt::ElideRight, right - left));
    detailTextLabel()->setGeometry(left, 28, contentView()->width() - kAccessorySpace - left, 18);
    detailTextLabel()->show();
}

void DFMainTableViewCell::paintEvent(QPaintEvent* event) {
    TableViewCell::paintEvent(event);
    if (distance_.isEmpty()) {
        return;
    }
    QPainter painter(this);
    painter.setFont(distanceFont_);
    painter.setPen(isHighlighted() ? QColor(Qt::white) : QColor::fromRgbF(0.33f, 0.33f, 1.0f));
    painter.drawText(distanceRect(), Qt::AlignRight | Qt::AlignVCenter, distance_);
}
