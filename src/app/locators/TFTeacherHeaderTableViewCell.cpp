#include "TFTeacherHeaderTableViewCell.h"

#include <QGraphicsDropShadowEffect>
#include <QPainter>
#include <QPainterPath>

TFTeacherHeaderTableViewCell::TFTeacherHeaderTableViewCell(const QString& reuseIdentifier)
    : QVTableViewCell(reuseIdentifier) {
    setDrawsBackground(false);
    setSelectionStyle(SelectionStyle::None);
    // Light on the dark wood the details lie on, with a shadow below the letters.
    QFont font;
    font.setPixelSize(19);
    font.setBold(true);
    textLabel()->setFont(font);
    textLabel()->setWordWrap(true);
    textLabel()->setStyleSheet(QStringLiteral("color:#f3e6cf;background:transparent;"));
    auto* shadow = new QGraphicsDropShadowEffect(textLabel());
    shadow->setBlurRadius(0);
    shadow->setOffset(0, 1);
    shadow->setColor(QColor(0, 0, 0, 128));
    textLabel()->setGraphicsEffect(shadow);
}

void TFTeacherHeaderTableViewCell::setValue(const fretkit::PlistValue& value) {
    textLabel()->setText(QString::fromStdString(value.stringValue()));
}

void TFTeacherHeaderTableViewCell::setPhoto(const QPixmap& photo) {
    photo_ = photo;
    update();
}

QRectF TFTeacherHeaderTableViewCell::photoFrame() const {
    return {contentView()->x() + 0.5, (height() - kPhotoSide) / 2.0 + 0.5, kPhotoSide - 1.0,
            kPhotoSide - 1.0};
}

void TFTeacherHeaderTableViewCell::layoutContent() {
    const int left = kPhotoSide + 14;
    textLabel()->setGeometry(left, 0, contentView()->width() - left, contentView()->height());
}

void TFTeacherHeaderTableViewCell::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF frame = photoFrame();
    QPainterPath rounded;
    rounded.addRoundedRect(frame, 4.0, 4.0);
    if (!photo_.isNull()) {
        painter.save();
        painter.setClipPath(rounded);
        painter.drawPixmap(frame, photo_, QRectF(photo_.rect()));
        painter.restore();
    }
    painter.setPen(QPen(Qt::lightGray, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(rounded);
}
