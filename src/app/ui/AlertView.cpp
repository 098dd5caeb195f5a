#include "AlertView.h"

#include "PhoneScreen.h"

#include <QMessageBox>
#include <QPushButton>

AlertView::AlertView(QString title, QString message, QStringList buttons,
                     AlertViewDelegate* delegate)
    : title_(std::move(title)), message_(std::move(message)), buttons_(std::move(buttons)),
      delegate_(delegate) {
    if (buttons_.isEmpty()) {
        buttons_ << tr("OK"); // an alert always has a way out
    }
}

AlertView::~AlertView() {
    delete box_.data();
}

void AlertView::show() {
    box_ = new QMessageBox(PhoneScreen::keyScreen());
    box_->setWindowTitle(title_);
    box_->setText(title_);
    box_->setInformativeText(message_);
    box_->setStyleSheet(
        // The title in bold; the message wide enough for an address to stay on one line.
        QStringLiteral("QMessageBox{background:#2c221b;} QLabel{color:#f3e6cf;}"
                       "QLabel#qt_msgbox_label{font-weight:bold;font-size:16px;}"
                       "QLabel#qt_msgbox_informativelabel{min-width:210px;}"
                       "QPushButton{background:#6a4a2c;color:#fff6e6;border:1px solid #2a1a0e;"
                       "border-radius:6px;padding:6px 14px;font-weight:bold;}"));
    for (int i = 0; i < buttons_.size(); ++i) {
        QPushButton* button = box_->addButton(buttons_[i], QMessageBox::AcceptRole);
        if (i == 0) {
            box_->setDefaultButton(button);
        }
        connect(button, &QPushButton::clicked, this, [this, i] {
            if (delegate_) {
                delegate_->alertViewClickedButtonAtIndex(*this, i);
            }
            deleteLater();
        });
    }
    box_->open();
}
