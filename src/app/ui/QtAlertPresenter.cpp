#include "QtAlertPresenter.h"

#include "AlertView.h"

void QtAlertPresenter::present(const fretkit::Alert& alert) {
    QStringList buttons;
    for (const std::string& title : alert.buttons) {
        buttons << QString::fromStdString(title);
    }
    auto* view = new AlertView(QString::fromStdString(alert.title),
                               QString::fromStdString(alert.message), buttons);
    view->show();
}
