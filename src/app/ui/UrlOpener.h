#pragma once

#include <QUrl>
#include <functional>

// Hands web, phone and mail addresses to the system. Only http, https, tel and mailto are
// opened; anything else (file:, javascript:, custom schemes) is refused with a log line, so a
// page or a service answer cannot make the app launch arbitrary programs.
class UrlOpener {
public:
    using Handler = std::function<bool(const QUrl&)>;

    static bool canOpen(const QUrl& url);
    // Opens the address; false when it was refused or the system could not open it.
    static bool openURL(const QUrl& url);

    // Replaces the system hand-off (tests); answers the previous handler. Empty restores it.
    static Handler setHandler(Handler handler);
};
