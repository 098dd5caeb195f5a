#pragma once

#include "ui/IndexPath.h"

#include <QObject>
#include <functional>

class TableView;

// The desktop's keys on a screen's table: Up and Down move a highlight over the rows that can be
// chosen, Return or Enter chooses the highlighted row as a click does, Escape goes back as the
// back button does. The wheel scrolls the table as the scroll area does by itself.
class BZTableKeys : public QObject {
    Q_OBJECT

public:
    // Watches the table's keys; `back` is the back button's action.
    BZTableKeys(TableView& table, std::function<void()> back);

    // The highlighted row, or {-1, -1}.
    IndexPath current() const { return current_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void move(int step);
    bool choosable(IndexPath path) const;

    TableView& table_;
    std::function<void()> back_;
    IndexPath current_{-1, -1};
};
