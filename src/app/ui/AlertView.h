#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>

class AlertView;

// Hears which button of an alert was pressed.
class AlertViewDelegate {
public:
    virtual ~AlertViewDelegate() = default;
    virtual void alertViewClickedButtonAtIndex(AlertView& alert, int index) = 0;
};

// An alert over the phone screen: a title, a message and buttons, the first one the default.
// It reports the button pressed to its delegate and then deletes itself: make it with new.
class AlertView : public QObject {
    Q_OBJECT

public:
    AlertView(QString title, QString message, QStringList buttons,
              AlertViewDelegate* delegate = nullptr);
    ~AlertView() override;

    void show();
    // The message box while the alert is shown (tests press its buttons).
    QMessageBox* box() const { return box_; }
    const QStringList& buttons() const { return buttons_; }

private:
    QString title_;
    QString message_;
    QStringList buttons_;
    AlertViewDelegate* delegate_;
    QPointer<QMessageBox> box_;
};
