#include "QVListEditor.h"

#include "QVEditorDelegate.h"
#include "QVTableViewCell.h"
#include "ui/TableView.h"

void QVListEditor::setStructure(const fretkit::PlistValue& structure) {
    QVChoiceEditor::setStructure(structure);
    footer_ = QString::fromStdString(structure["footer"].stringValue());
    hasSearchBar_ = structure["hasSearchBar"].boolValue();
    if (const fretkit::PlistValue* height = structure.find("listEditorCellHeight")) {
        cellHeight_ = height->floatValue();
    }
}

void QVListEditor::loadView() {
    auto* view = new QWidget;
    view->resize(320, 416);
    table_ = new TableView(view);
    table_->setDataSource(this);
    if (hasSearchBar_) {
        searchBar_ = new QLineEdit(view);
        searchBar_->setGeometry(0, 0, 320, 44);
        searchBar_->setPlaceholderText(tr("Search"));
        searchBar_->setClearButtonEnabled(true);
        searchBar_->setStyleSheet(QStringLiteral(
            "QLineEdit{margin:7px 8px;padding:0 10px;border-radius:14px;border:1px solid #4a3828;"
            "background:#f6f0e6;color:#2b1d12;font-size:15px;}"));
        view->setStyleSheet(QStringLiteral("background:#2c241e;"));
        table_->setGeometry(0, 44, 320, 372);
    } else {
        table_->setGeometry(0, 0, 320, 416);
    }
    setView(view);
}

void QVListEditor::viewWillAppear(bool) {
    table_->reloadData();
    if (selectedIndex() != kNone) {
        table_->scrollToRowInMiddle({0, static_cast<int>(selectedIndex())});
    }
}

void QVListEditor::viewWillDisappear(bool) {
    if (auto* listener = delegateAs<QVListEditorWillClose>()) {
        listener->listEditorWillClose(*this);
    }
}

int QVListEditor::numberOfRows(TableView&, int) {
    return static_cast<int>(list().count());
}

int QVListEditor::heightForRow(TableView&, IndexPath, TableViewCell*) {
    return static_cast<int>(cellHeight_);
}

void QVListEditor::mark(TableViewCell* cell, bool selected) const {
    cell->setAccessoryType(selected ? TableViewCell::Accessory::Checkmark
                                    : TableViewCell::Accessory::None);
    cell->setTitleColor(selected ? selectedColor() : TableViewCell::textColor());
}

TableViewCell* QVListEditor::cellForRow(TableView& table, IndexPath path) {
    static const QString identifier = QStringLiteral("QVListEditorCell");
    TableViewCell* cell = table.dequeueReusableCell(identifier);
    if (!cell) {
        cell = new TableViewCell(TableViewCell::Style::Subtitle, identifier);
    }
    const fretkit::PlistValue& choice = list()[static_cast<std::size_t>(path.row)];
    cell->textLabel()->setText(QString::fromStdString(choice["text"].stringValue()));
    cell->detailTextLabel()->setText(QString::fromStdString(choice["detailText"].stringValue()));
    mark(cell, static_cast<unsigned>(path.row) == selectedIndex());
    cell->relayout();
    return cell;
}

void QVListEditor::didSelectRow(TableView& table, IndexPath path) {
    if (selectedIndex() != kNone) {
        if (TableViewCell* previous = table.cellForRow({0, static_cast<int>(selectedIndex())})) {
            mark(previous, false);
        }
    }
    setSelectedIndex(static_cast<unsigned>(path.row));
    mark(table.cellForRow(path), true);
    table.deselectRow(path, true);
    if (auto* listener = delegateAs<QVListEditorValueDidChange>()) {
        listener->listEditorValueDidChange(*this);
    }
}
