#include "QVAboutIconCell.h"

#include "foundation/Bundle.h"
#include "ui/ScreenImage.h"

#include <QPainter>

namespace {

QString info(const char* key) {
    return QString::fromStdString(fretkit::Bundle::main().infoDictionary()[key].stringValue());
}

} // namespace

QVAboutIconCell::QVAboutIconCell(const QString& reuseIdentifier)
    : QVTableViewCell(reuseIdentifier) {
    setDrawsBackground(false);
    setSelectionStyle(SelectionStyle::None);
    textLabel()->hide();
    const fretkit::PlistValue& icons =
        fretkit::Bundle::main().infoDictionary()["CFBundleIconFiles"];
    if (icons.count() > 0) {
        icon_ = ScreenImage::load(
            QStringLiteral("rendered_%1").arg(QString::fromStdString(icons[0].stringValue())),
            QString());
    }
    name_ = info("QVAboutAppName");
    if (name_.isEmpty()) {
        name_ = info("CFBundleDisplayName");
    }
    version_ = fillPlaceholders(
        QString::fromStdString(fretkit::Bundle::main().localizedString("QVAbout_version")),
        {info("CFBundleShortVersionString"), info("CFBundleVersion")});
}

QString QVAboutIconCell::fillPlaceholders(QString format, const QStringList& arguments) {
    QString result;
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] == QLatin1Char('%') && i + 1 < format.size() &&
            format[i + 1] == QLatin1Char('@')) {
            result += next < arguments.size() ? arguments[next] : QString();
            ++next;
            ++i;
        } else {
            result += format[i];
        }
    }
    return result;
}

void QVAboutIconCell::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!icon_.isNull()) {
        const QSizeF size = icon_.deviceIndependentSize();
        // A soft black shadow of blur 4 under the icon.
        for (int ring = 4; ring >= 1; --ring) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(0, 0, 0, 30));
            painter.drawRoundedRect(QRectF(16, 4, size.width(), size.height())
                                        .adjusted(-ring, -ring + 2, ring, ring + 2),
                                    10 + ring, 10 + ring);
        }
        painter.drawPixmap(QPointF(16, 4), icon_);
    }
    QFont name;
    name.setPixelSize(19);
    name.setBold(true);
    painter.setFont(name);
    painter.setPen(QColor(0, 0, 0, 150));
    painter.drawText(QRect(80, 14, 211, 21), Qt::AlignLeft | Qt::AlignVCenter, name_);
    painter.setPen(QColor(0xf6, 0xea, 0xd4));
    painter.drawText(QRect(80, 13, 211, 21), Qt::AlignLeft | Qt::AlignVCenter, name_);
    QFont version;
    version.setPixelSize(13);
    painter.setFont(version);
    painter.setPen(QColor(0xd9, 0xc4, 0xa4));
    painter.drawText(QRect(80, 31, 211, 21), Qt::AlignLeft | Qt::AlignVCenter, version_);
}
