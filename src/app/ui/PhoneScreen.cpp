#include "PhoneScreen.h"

#include "ViewController.h"

#include <QDateTime>
#include <QDialog>
#include <QPainter>

namespace {

QPointer<PhoneScreen>& key() {
    static QPointer<PhoneScreen> screen;
    return screen;
}

} // namespace

PhoneScreen::PhoneScreen(QWidget* parent) : QWidget(parent) {
    setFixedSize(kWidth, kHeight);
    key() = this;
}

PhoneScreen::~PhoneScreen() {
    if (root_ && root_->isVisible()) {
        root_->beginDisappearance(false);
        root_->endDisappearance(false);
    }
    root_.reset();
}

PhoneScreen* PhoneScreen::keyScreen() {
    return key();
}

void PhoneScreen::setRootViewController(std::unique_ptr<ViewController> controller) {
    std::unique_ptr<ViewController> previous = std::move(root_);
    root_ = std::move(controller);
    if (previous && previous->isVisible()) {
        previous->beginDisappearance(false);
        previous->view()->hide();
        previous->endDisappearance(false);
    }
    if (root_) {
        QWidget* page = root_->view();
        page->setParent(this);
        page->setGeometry(applicationFrame());
        page->show();
        root_->beginAppearance(false);
        root_->endAppearance(false);
    }
}

QImage PhoneScreen::render(int scale) {
    QImage image(kWidth * scale, kHeight * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::black);
    QWidget::render(&image);
    // Alerts are windows of their own over the screen: the picture shows them as the phone
    // would, centred over the dimmed screen.
    for (QDialog* alert : findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
        if (alert->isVisible()) {
            QPainter painter(&image);
            painter.fillRect(rect(), QColor(0, 0, 0, 110));
            painter.end();
            const QSize size = alert->size().boundedTo(this->size());
            alert->render(&image,
                          QPoint((kWidth - size.width()) / 2, (kHeight - size.height()) / 2),
                          QRegion(QRect(QPoint(), size)));
        }
    }
    image.setDevicePixelRatio(1.0);
    return image;
}

void PhoneScreen::setStatusBarHidden(bool hidden) {
    if (statusBarHidden_ != hidden) {
        statusBarHidden_ = hidden;
        update(0, 0, kWidth, kStatusBarHeight);
    }
}

void PhoneScreen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), QColor(0x1c, 0x17, 0x14));
    if (statusBarHidden_) {
        return;
    }
    painter.fillRect(QRect(0, 0, kWidth, kStatusBarHeight), Qt::black);
    QFont font;
    font.setPixelSize(13);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0xe8, 0xe0, 0xd0));
    painter.drawText(QRect(0, 0, kWidth, kStatusBarHeight), Qt::AlignCenter,
                     QDateTime::currentDateTime().toString(QStringLiteral("HH:mm")));
}
