#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;
class WebView;
class NavigationBar;

// A help page from the bundle ("<identifier>.html") that slides over the screen, with a Close
// button and, optionally, "Don't Show Again", which is remembered per identifier. A curtain
// deletes itself once it is closed (or at once, when it is not to be shown): make it with new.
class QVHintCurtain : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kDontShowKeyFormat = "QVHintDontShow_%s";

    explicit QVHintCurtain(QString identifier = {});
    ~QVHintCurtain() override;

    QString identifier() const { return identifier_; }
    void setIdentifier(const QString& identifier) { identifier_ = identifier; }
    QString title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }
    // 0 slides down from above, 1 up from below.
    unsigned transitionStyle() const { return transitionStyle_; }
    void setTransitionStyle(unsigned style) { transitionStyle_ = style; }
    bool hasDontShowAgainButton() const { return hasDontShowAgainButton_; }
    void setHasDontShowAgainButton(bool has) { hasDontShowAgainButton_ = has; }

    static std::string dontShowKey(const QString& identifier);
    static bool isSuppressed(const QString& identifier);

    // Shows the curtain over the key screen, unless its page was asked never to show again.
    void show();
    void close();
    void dontShowAgain();

    QWidget* view() const { return view_; }
    WebView* webView() const { return webView_; }
    NavigationBar* bar() const { return bar_; }

private:
    int offscreenY() const { return transitionStyle_ == 1 ? 480 : -460; }
    void loadPage();

    QString identifier_;
    QString title_;
    unsigned transitionStyle_ = 0;
    bool hasDontShowAgainButton_ = true;
    bool closing_ = false;
    QPointer<QWidget> view_;
    WebView* webView_ = nullptr;
    NavigationBar* bar_ = nullptr;
};
