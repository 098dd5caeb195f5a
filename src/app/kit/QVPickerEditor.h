#pragma once

#include "QVEditor.h"
#include "ui/WheelPicker.h"

// A wheel of choices on the grouped background; turning it to a row chooses that row and
// reports at once.
class QVPickerEditor : public QVEditor, private WheelPickerDataSource {
    Q_OBJECT

public:
    static constexpr unsigned kNone = 2147483647;

    void setStructure(const fretkit::PlistValue& structure) override;
    void selectItemWithValue(const fretkit::PlistValue& value) override;
    fretkit::PlistValue valueOfSelectedItem() const;

    const fretkit::PlistValue& list() const { return list_; }
    void setList(fretkit::PlistValue list) { list_ = std::move(list); }
    unsigned selectedIndex() const { return selectedIndex_; }
    WheelPicker* picker() { return picker_; }

protected:
    void loadView() override;
    void viewWillAppear(bool animated) override;

private:
    int numberOfComponents(WheelPicker&) override { return 1; }
    int numberOfRows(WheelPicker&, int) override { return static_cast<int>(list_.count()); }
    QString titleForRow(WheelPicker&, int row, int) override;
    int widthForComponent(WheelPicker&, int) override { return 280; }
    void didSelectRow(WheelPicker&, int row, int) override;

    fretkit::PlistValue list_;
    unsigned selectedIndex_ = kNone;
    WheelPicker* picker_ = nullptr;
};
