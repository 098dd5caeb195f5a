#include "LocatorText.h"

#include "kit/QVContactsTableViewCell.h"

#include <QFontMetrics>

std::string LocatorText::contactValue(const QVTableViewCell& cell, const std::string& address) {
    QString text = QString::fromStdString(address);
    for (const QLatin1String scheme : {QLatin1String("https://"), QLatin1String("http://")}) {
        if (text.startsWith(scheme, Qt::CaseInsensitive)) {
            text = text.mid(scheme.size());
            break;
        }
    }
    if (text.endsWith(QLatin1Char('/'))) {
        text.chop(1);
    }
    const QFontMetrics metrics(cell.detailTextLabel()->font());
    return metrics.elidedText(text, Qt::ElideMiddle, QVContactsTableViewCell::kValueWidth)
        .toStdString();
}

QString LocatorText::sentence(const QString& reason) {
    QString text = reason.trimmed();
    if (text.isEmpty()) {
        return text;
    }
    text[0] = text[0].toUpper();
    if (!text.endsWith(QLatin1Char('.'))) {
        text += QLatin1Char('.');
    }
    return text;
}
