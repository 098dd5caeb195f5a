#pragma once

#include "QVTableViewCell.h"

// A contact row (phone, mail, address): a lower-cased title and the value, mapped through
// "values"; "editable" rows are selectable with a disclosure indicator, "selectable" turns the
// highlight on or off, and "isMultiline" lets the value wrap and the row grow.
class QVContactsTableViewCell : public QVTableViewCell {
    Q_OBJECT

public:
    static constexpr int kValueWidth = 200;

    explicit QVContactsTableViewCell(const QString& reuseIdentifier);
    void setStructure(const fretkit::PlistValue& structure) override;
    void setValue(const fretkit::PlistValue& value) override;
    fretkit::PlistValue value() const override { return value_; }
    int height() const override;

    fretkit::PlistValue identifier;

protected:
    void layoutContent() override;

private:
    fretkit::PlistValue value_;
    bool multiline_ = false;
};
