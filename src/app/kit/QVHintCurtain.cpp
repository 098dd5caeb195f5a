#include "QVHintCurtain.h"

#include "foundation/Bundle.h"
#include "foundation/Log.h"
#include "foundation/UserDefaults.h"
#include "ui/NavigationBar.h"
#include "ui/PhoneScreen.h"
#include "ui/ViewAnimation.h"
#include "ui/WebView.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString localized(const char* key) {
    return QString::fromStdString(fretkit::Bundle::main().localizedString(key));
}

} // namespace

QVHintCurtain::QVHintCurtain(QString identifier) : identifier_(std::move(identifier)) {}

QVHintCurtain::~QVHintCurtain() {
    delete view_.data();
}

std::string QVHintCurtain::dontShowKey(const QString& identifier) {
    return "QVHintDontShow_" + identifier.toStdString();
}

bool QVHintCurtain::isSuppressed(const QString& identifier) {
    return fretkit::UserDefaults::standard().boolForKey(dontShowKey(identifier));
}

void QVHintCurtain::show() {
    PhoneScreen* screen = PhoneScreen::keyScreen();
    if (isSuppressed(identifier_) || !screen) {
        deleteLater();
        return;
    }
    setParent(screen); // a curtain still up when the screen goes goes with it
    view_ = new QWidget(screen);
    view_->resize(320, 460);
    auto* shade = new QWidget(view_);
    shade->setGeometry(0, 0, 320, 460);
    shade->setAutoFillBackground(true);
    QPalette black = shade->palette();
    black.setColor(QPalette::Window, QColor(0, 0, 0, 212)); // black at 0.83
    shade->setPalette(black);

    bar_ = new NavigationBar(view_);
    bar_->setGeometry(0, 0, 320, NavigationBar::kHeight);
    bar_->setBarStyle(NavigationBar::Style::Black);
    NavigationItem item;
    item.title = title_;
    if (hasDontShowAgainButton_) {
        item.leftButton = BarButton{localized("Don't Show Again"), BarButton::Style::Plain,
                                    [this] { dontShowAgain(); }};
    }
    item.rightButton = BarButton{localized("Close"), BarButton::Style::Done, [this] { close(); }};
    bar_->setItem(item, QString());

    webView_ = new WebView(view_);
    webView_->setGeometry(0, NavigationBar::kHeight, 320, 460 - NavigationBar::kHeight);
    webView_->setStyleSheet(
        QStringLiteral("QTextBrowser{background:transparent;color:#f3e6cf;padding:6px;}"));
    webView_->viewport()->setAutoFillBackground(false);
    webView_->document()->setDefaultStyleSheet(
        QStringLiteral("a { color: #e8a860; } h1, h2 { color: #f6ead4; }"));
    loadPage();

    view_->move(0, offscreenY());
    view_->show();
    view_->raise();
    ViewAnimation(QStringLiteral("showCurtain"))
        .duration(0.5)
        .frame(view_, QRect(0, 20, 320, 460))
        .commit();
}

void QVHintCurtain::loadPage() {
    const auto path = fretkit::Bundle::main().pathForResource(identifier_.toStdString(), "html");
    QFile file(path ? QString::fromStdString(*path) : QString());
    if (!path || !file.open(QIODevice::ReadOnly)) {
        fretkit::Log::format("could not find QVHintCurtain content at %s.html",
                             identifier_.toUtf8().constData());
        return;
    }
    webView_->loadHTML(QString::fromUtf8(file.readAll()), QFileInfo(file).absolutePath());
}

void QVHintCurtain::close() {
    if (closing_ || !view_) {
        return;
    }
    closing_ = true;
    ViewAnimation(QStringLiteral("hideCurtain"))
        .duration(0.5)
        .frame(view_, QRect(0, offscreenY(), 320, 460))
        .didStop([self = QPointer<QVHintCurtain>(this)](const QString&, bool) {
            if (self) {
                self->deleteLater();
            }
        })
        .commit();
}

void QVHintCurtain::dontShowAgain() {
    fretkit::UserDefaults::standard().setBool(true, dontShowKey(identifier_));
    close();
}
