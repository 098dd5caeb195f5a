#pragma once

#include "QVChoiceEditor.h"
#include "ui/WheelPicker.h"

// A wheel of choices on the grouped background; turning it to a row chooses that row and
// reports at once.
class QVPickerEditor : public QVChoiceEditor, private WheelPickerDataSource {
    Q_OBJECT

public:
    WheelPicker* picker() { return picker_; }

protected:
    void loadView() override;
    void viewWillAppear(bool animated) override;

private:
    int numberOfComponents(WheelPicker&) override { return 1; }
    int numberOfRows(WheelPicker&, int) override { return static_cast<int>(list().count()); }
    QString titleForRow(WheelPicker&, int row, int) override;
    int widthForComponent(WheelPicker&, int) override { return 280; }
    void didSelectRow(WheelPicker&, int row, int) override;

    WheelPicker* picker_ = nullptr;
};
