#pragma once

#include <QTextBrowser>

// Shows local HTML pages. Links the user follows are not opened in the view: they are handed to
// the system (web, phone and mail addresses only).
class WebView : public QTextBrowser {
    Q_OBJECT

public:
    explicit WebView(QWidget* parent = nullptr);

    // Shows the HTML text; relative addresses in it resolve against the base directory.
    void loadHTML(const QString& html, const QString& baseDirectory);

signals:
    void linkHandedOn(const QUrl& url);
};
