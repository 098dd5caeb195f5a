#include "QVPickerEditor.h"

#include "QVEditorDelegate.h"
#include "ui/TableView.h"

void QVPickerEditor::loadView() {
    auto* background = new TableView; // the grouped table's wood
    background->resize(320, 416);
    background->reloadData(); // an empty table: the wood alone
    picker_ = new WheelPicker(background->viewport());
    picker_->setGeometry(0, 0, 320, WheelPicker::kHeight);
    picker_->setDataSource(this);
    setView(background);
}

void QVPickerEditor::viewWillAppear(bool) {
    picker_->reloadAllComponents();
    if (selectedIndex() != kNone) {
        picker_->selectRow(static_cast<int>(selectedIndex()), 0, false);
    }
}

QString QVPickerEditor::titleForRow(WheelPicker&, int row, int) {
    return QString::fromStdString(list()[static_cast<std::size_t>(row)]["text"].stringValue());
}

void QVPickerEditor::didSelectRow(WheelPicker&, int row, int) {
    setSelectedIndex(static_cast<unsigned>(row));
    if (auto* listener = delegateAs<QVPickerEditorValueDidChange>()) {
        listener->pickerEditorValueDidChange(*this);
    }
}
