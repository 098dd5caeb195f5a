#pragma once

#include "IndexPath.h"

#include <QString>

class TableView;
class TableViewCell;

// What a table shows and what happens when a row is chosen.
class TableViewDataSource {
public:
    virtual ~TableViewDataSource() = default;
    virtual int numberOfSections(TableView&) { return 1; }
    virtual int numberOfRows(TableView& table, int section) = 0;
    // The cell for a row: one dequeued from the table by its reuse identifier, or a new one.
    virtual TableViewCell* cellForRow(TableView& table, IndexPath path) = 0;
    // The row's height; the cell is the one cellForRow answered for it.
    virtual int heightForRow(TableView&, IndexPath, TableViewCell*) { return 45; }
    // Empty texts show no header or footer.
    virtual QString titleForHeader(TableView&, int) { return {}; }
    virtual QString titleForFooter(TableView&, int) { return {}; }
    virtual void didSelectRow(TableView&, IndexPath) {}
};
