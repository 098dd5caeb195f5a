#include "UrlOpener.h"

#include "foundation/Log.h"

#include <QDesktopServices>

namespace {

UrlOpener::Handler& handler() {
    static UrlOpener::Handler current;
    return current;
}

} // namespace

bool UrlOpener::canOpen(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
                             scheme == QLatin1String("tel") || scheme == QLatin1String("mailto"));
}

bool UrlOpener::openURL(const QUrl& url) {
    if (!canOpen(url)) {
        fretkit::Log::format("refusing to open %s: only http, https, tel and mailto addresses "
                             "are handed to the system",
                             url.toDisplayString().toUtf8().constData());
        return false;
    }
    if (handler()) {
        return handler()(url);
    }
    if (!QDesktopServices::openUrl(url)) {
        fretkit::Log::format("the system could not open %s",
                             url.toDisplayString().toUtf8().constData());
        return false;
    }
    return true;
}

UrlOpener::Handler UrlOpener::setHandler(Handler replacement) {
    return std::exchange(handler(), std::move(replacement));
}
