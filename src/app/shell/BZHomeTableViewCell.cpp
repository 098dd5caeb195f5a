#include "BZHomeTableViewCell.h"

#include "ui/ScreenImage.h"

#include <QPainter>

namespace {

QFont labelFont(int size, bool bold) {
    QFont result;
    result.setPixelSize(size);
    result.setBold(bold);
    return result;
}

} // namespace

void BZHomeTableViewCell::registerByName() {
    static const bool registered = [] {
        registerClass(QStringLiteral("BZHomeTableViewCell"), [](const QString& identifier) {
            return new BZHomeTableViewCell(identifier);
        });
        return true;
    }();
    (void)registered;
}

BZHomeTableViewCell::BZHomeTableViewCell(const QString& reuseIdentifier)
    : QVTableViewCell(reuseIdentifier, Style::Subtitle) {
    setDrawsBackground(false);
    textLabel()->setFont(labelFont(17, true));
    detailTextLabel()->setFont(labelFont(12, false));
    detailTextLabel()->setWordWrap(true);
    detailTextLabel()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Style sheets keep the colours when the table highlights and unhighlights the row.
    textLabel()->setStyleSheet(QStringLiteral("color:#ffffff;background:transparent;"));
    detailTextLabel()->setStyleSheet(QStringLiteral("color:#ababab;background:transparent;"));
}

void BZHomeTableViewCell::setStructure(const fretkit::PlistValue& structure) {
    const fretkit::PlistValue* title = structure.find("title");
    textLabel()->setText(title ? localized(*title) : QString());
    const fretkit::PlistValue* details = structure.find("details");
    detailTextLabel()->setText(details ? localized(*details) : QString());
    icon_ = QPixmap();
    if (const fretkit::PlistValue* image = structure.find("image")) {
        icon_ = ScreenImage::load(QString::fromStdString(image->stringValue()), QString());
    }
    layoutContent();
    update();
}

void BZHomeTableViewCell::layoutContent() {
    // The fixed layout counts from the cell's own corner, not from the group's margin.
    contentView()->setGeometry(rect());
    textLabel()->setGeometry(kTitleFrame);
    detailTextLabel()->setGeometry(kDetailFrame);
    detailTextLabel()->show();
}

void BZHomeTableViewCell::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap background =
        ScreenImage::load(isHighlighted() ? QStringLiteral("BZHome_background_selected")
                                          : QStringLiteral("BZHome_background"));
    if (!background.isNull()) {
        painter.drawPixmap(rect(), background);
    }
    if (!icon_.isNull()) {
        // Scaled to fit the frame, keeping its proportions, centred.
        const QSizeF size =
            icon_.deviceIndependentSize().scaled(QSizeF(kImageFrame.size()), Qt::KeepAspectRatio);
        const QPointF origin(kImageFrame.x() + (kImageFrame.width() - size.width()) / 2.0,
                             kImageFrame.y() + (kImageFrame.height() - size.height()) / 2.0);
        painter.drawPixmap(QRectF(origin, size), icon_, QRectF(icon_.rect()));
    }
    const QPixmap accessory =
        ScreenImage::load(isHighlighted() ? QStringLiteral("BZHome_disclosureIndicator_highlighted")
                                          : QStringLiteral("BZHome_disclosureIndicator"));
    if (!accessory.isNull()) {
        const QSizeF size = accessory.deviceIndependentSize();
        painter.drawPixmap(QPointF(width() - 12 - size.width(), (height() - size.height()) / 2.0),
                           accessory);
    }
}
