#include "QVChoiceEditor.h"

void QVChoiceEditor::setStructure(const fretkit::PlistValue& structure) {
    setIdentifier(structure["key"].stringValue());
    const fretkit::PlistValue* detailed = structure.find("detailedValues");
    list_ = detailed ? *detailed : structure["values"];
}

void QVChoiceEditor::selectItemWithValue(const fretkit::PlistValue& value) {
    for (std::size_t i = 0; i < list_.count(); ++i) {
        if (list_[i]["value"] == value) {
            selectedIndex_ = static_cast<unsigned>(i);
        }
    }
}

fretkit::PlistValue QVChoiceEditor::valueOfSelectedItem() const {
    return list_[selectedIndex_]["value"];
}
