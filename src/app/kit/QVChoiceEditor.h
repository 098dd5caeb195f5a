#pragma once

#include "QVEditor.h"

// An editor that chooses one of a list of choices ("value", "text", "detailText"): the row's
// "detailedValues" when present, else its "values".
class QVChoiceEditor : public QVEditor {
    Q_OBJECT

public:
    static constexpr unsigned kNone = 2147483647;

    void setStructure(const fretkit::PlistValue& structure) override;
    // Selects the last choice with that value; an absent value leaves the selection alone.
    void selectItemWithValue(const fretkit::PlistValue& value) override;
    fretkit::PlistValue valueOfSelectedItem() const;

    const fretkit::PlistValue& list() const { return list_; }
    void setList(fretkit::PlistValue list) { list_ = std::move(list); }
    unsigned selectedIndex() const { return selectedIndex_; }
    void setSelectedIndex(unsigned index) { selectedIndex_ = index; }

private:
    fretkit::PlistValue list_;
    unsigned selectedIndex_ = kNone;
};
