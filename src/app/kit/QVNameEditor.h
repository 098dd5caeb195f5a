#pragma once

#include "QVEditor.h"

#include <QLineEdit>

// A one-line text field in a table section of its own; it takes the keyboard at once, and
// pressing return closes the editor (the return is not inserted).
class QVNameEditor : public QVEditor {
    Q_OBJECT

public:
    QString text() const { return text_; }
    void setText(const QString& text);
    QLineEdit* field() { return field_; }

protected:
    void loadView() override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

private:
    QString text_;
    QLineEdit* field_ = nullptr;
};
