#pragma once

#include "foundation/PlistValue.h"

#include <QString>
#include <optional>

class QVTableViewCell;

// A table's delegate, usually the screen that owns the table. Every operation is optional: a
// delegate answers one by deriving from its interface below. Cells with controls also call the
// slot named by their row's "action" on the delegate (a QObject), e.g.
// valueDidChange(QVTableViewCell*).
class QVTableViewDelegate {
public:
    virtual ~QVTableViewDelegate() = default;
};

class QVTableDidSelectCell {
public:
    virtual ~QVTableDidSelectCell() = default;
    virtual void didSelectCell(QVTableViewCell& cell) = 0;
};

class QVTableValueOfCell {
public:
    virtual ~QVTableValueOfCell() = default;
    virtual fretkit::PlistValue valueOfCell(QVTableViewCell& cell) = 0;
};

class QVTableDidConstructCell {
public:
    virtual ~QVTableDidConstructCell() = default;
    virtual void didConstructCell(QVTableViewCell& cell) = 0;
};

class QVTableFooterForSection {
public:
    virtual ~QVTableFooterForSection() = default;
    // nullopt lets the section's own footer show.
    virtual std::optional<QString> footerForSection(unsigned section) = 0;
};
