#include "WebView.h"

#include "UrlOpener.h"

WebView::WebView(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setFrameShape(QFrame::NoFrame);
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        UrlOpener::openURL(url);
        emit linkHandedOn(url);
    });
}

void WebView::loadHTML(const QString& html, const QString& baseDirectory) {
    setSearchPaths({baseDirectory});
    document()->setBaseUrl(QUrl::fromLocalFile(baseDirectory + QLatin1Char('/')));
    setHtml(html);
}
