#include "BZTableKeys.h"

#include "ui/NavigationController.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"

#include <QKeyEvent>
#include <vector>

BZTableKeys::BZTableKeys(TableView& table, ViewController& screen)
    : QObject(&table), table_(table), screen_(screen) {
    table.setFocusPolicy(Qt::StrongFocus);
    table.installEventFilter(this);
}

bool BZTableKeys::choosable(IndexPath path) const {
    const TableViewCell* cell = table_.cellForRow(path);
    return cell && cell->selectionStyle() != TableViewCell::SelectionStyle::None;
}

void BZTableKeys::move(int step) {
    std::vector<IndexPath> rows;
    for (int section = 0; section < table_.numberOfSections(); ++section) {
        for (int row = 0; row < table_.numberOfRows(section); ++row) {
            if (choosable({section, row})) {
                rows.push_back({section, row});
            }
        }
    }
    if (rows.empty()) {
        return;
    }
    auto at = std::find(rows.begin(), rows.end(), current_);
    std::ptrdiff_t index = at == rows.end()
                               ? (step > 0 ? -1 : static_cast<std::ptrdiff_t>(rows.size()))
                               : at - rows.begin();
    index =
        std::clamp<std::ptrdiff_t>(index + step, 0, static_cast<std::ptrdiff_t>(rows.size()) - 1);
    if (TableViewCell* old = table_.cellForRow(current_)) {
        old->setHighlighted(false);
    }
    current_ = rows[static_cast<std::size_t>(index)];
    TableViewCell* cell = table_.cellForRow(current_);
    cell->setHighlighted(true);
    table_.ensureWidgetVisible(cell, 0, 0);
}

bool BZTableKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &table_ || event->type() != QEvent::KeyPress) {
        return false;
    }
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Up:
        move(-1);
        return true;
    case Qt::Key_Down:
        move(1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (choosable(current_)) {
            table_.selectRow(current_);
        }
        return true;
    case Qt::Key_Escape:
        if (NavigationController* stack = screen_.navigationController()) {
            stack->popViewController(true);
        }
        return true;
    default:
        return false;
    }
}
