#pragma once

#include "ui/IndexPath.h"

#include <QObject>

class TableView;
class ViewController;

// The desktop's keys on a screen's table: Up and Down move a highlight over the rows that can be
// chosen, Return or Enter chooses the highlighted row as a click does, Escape goes back as the
// back button does. The wheel scrolls the table as the scroll area does by itself.
class BZTableKeys : public QObject {
    Q_OBJECT

public:
    // Watches the keys of the table of `screen`; Escape pops the screen from its navigation stack.
    BZTableKeys(TableView& table, ViewController& screen);

    // The highlighted row, or {-1, -1}.
    IndexPath current() const { return current_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void move(int step);
    bool choosable(IndexPath path) const;

    TableView& table_;
    ViewController& screen_;
    IndexPath current_{-1, -1};
};
