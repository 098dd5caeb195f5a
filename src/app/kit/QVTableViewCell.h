#pragma once

#include "foundation/PlistValue.h"
#include "ui/TableViewCell.h"

#include <functional>
#include <memory>
#include <string>

class QVEditor;
class QVTableViewDelegate;

// The base of every cell that can stand in a structure-driven table. The row dictionary that the
// cell shows is its structure; subclasses read their keys in setStructure and must reset
// everything those keys set, since cells are reused. Cell classes are made by name.
class QVTableViewCell : public TableViewCell {
    Q_OBJECT

public:
    using Factory = std::function<QVTableViewCell*(const QString& reuseIdentifier)>;

    explicit QVTableViewCell(const QString& reuseIdentifier, Style style = Style::Default);

    // A new cell of the named class, or null when no such class is registered.
    static QVTableViewCell* create(const QString& className);
    static void registerClass(const QString& className, Factory factory);

    QVTableViewDelegate* delegate() const { return delegate_; }
    void setDelegate(QVTableViewDelegate* delegate) { delegate_ = delegate; }

    const fretkit::PlistValue& structure() const { return structure_; }
    // Stores the row dictionary, then lets the subclass apply its keys.
    void applyStructure(const fretkit::PlistValue& structure);

    virtual bool hasBackground() const { return true; }
    virtual void setStructure(const fretkit::PlistValue&) {}
    virtual fretkit::PlistValue value() const { return {}; }
    virtual void setValue(const fretkit::PlistValue&) {}
    // The row's "height", or 45 points.
    virtual int height() const;
    std::string key() const;
    std::string editorClassName() const;
    // A new editor of the row's "editorClass" titled by the row's "title", with this cell's
    // delegate; null (and a log line for unknown names) otherwise.
    std::unique_ptr<QVEditor> editor() const;
    // The "text" of the last "values" entry whose "value" equals the object.
    std::string stringForValue(const fretkit::PlistValue& value) const;

    // The "text" of the first "values" entry whose "value" equals the object, else the object.
    fretkit::PlistValue displayedValue(const fretkit::PlistValue& value) const;

    // Localised text of a row key.
    static QString localized(const fretkit::PlistValue& key);

protected:
    // Calls the slot named by the row's "action" on the delegate with this cell; false when the
    // delegate has no such slot.
    bool performAction() const;

private:
    fretkit::PlistValue structure_;
    QVTableViewDelegate* delegate_ = nullptr;
};
