#include "QVPickerEditor.h"

#include "QVEditorDelegate.h"
#include "ui/TableView.h"

void QVPickerEditor::setStructure(const fretkit::PlistValue& structure) {
    setIdentifier(structure["key"].stringValue());
    const fretkit::PlistValue* detailed = structure.find("detailedValues");
    list_ = detailed ? *detailed : structure["values"];
}

void QVPickerEditor::selectItemWithValue(const fretkit::PlistValue& value) {
    for (std::size_t i = 0; i < list_.count(); ++i) {
        if (list_[i]["value"] == value) {
            selectedIndex_ = static_cast<unsigned>(i);
        }
    }
}

fretkit::PlistValue QVPickerEditor::valueOfSelectedItem() const {
    return list_[selectedIndex_]["value"];
}

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
    if (selectedIndex_ != kNone) {
        picker_->selectRow(static_cast<int>(selectedIndex_), 0, false);
    }
}

QString QVPickerEditor::titleForRow(WheelPicker&, int row, int) {
    return QString::fromStdString(list_[static_cast<std::size_t>(row)]["text"].stringValue());
}

void QVPickerEditor::didSelectRow(WheelPicker&, int row, int) {
    selectedIndex_ = static_cast<unsigned>(row);
    if (auto* listener = delegateAs<QVPickerEditorValueDidChange>()) {
        listener->pickerEditorValueDidChange(*this);
    }
}
