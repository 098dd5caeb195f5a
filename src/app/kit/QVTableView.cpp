#include "QVTableView.h"

#include "QVTableViewCell.h"
#include "QVTableViewDelegate.h"
#include "foundation/Log.h"

QVTableView::QVTableView(QVTableViewDelegate* delegate, QWidget* parent)
    : TableView(parent), tableDelegate_(delegate) {
    // The table always serves itself: the data source is not exposed for replacing.
    setDataSource(this);
}

QVTableView* QVTableView::tableViewWithDelegate(QVTableViewDelegate* delegate) {
    auto* table = new QVTableView(delegate);
    table->resize(320, 416);
    return table;
}

QVTableViewCell* QVTableView::cellAt(IndexPath path) const {
    return static_cast<QVTableViewCell*>(TableView::cellForRow(path));
}

const fretkit::PlistValue& QVTableView::section(int index) const {
    return contents_[static_cast<std::size_t>(index)];
}

const fretkit::PlistValue& QVTableView::row(IndexPath path) const {
    return section(path.section)["contents"][static_cast<std::size_t>(path.row)];
}

int QVTableView::numberOfSections(TableView&) {
    return std::max(1, static_cast<int>(contents_.count()));
}

int QVTableView::numberOfRows(TableView&, int index) {
    return static_cast<int>(section(index)["contents"].count());
}

TableViewCell* QVTableView::cellForRow(TableView&, IndexPath path) {
    const fretkit::PlistValue& rowStructure = row(path);
    const QString className = QString::fromStdString(rowStructure["class"].stringValue());
    auto* cell = static_cast<QVTableViewCell*>(dequeueReusableCell(className));
    if (!cell) {
        cell = QVTableViewCell::create(className);
        if (!cell) {
            // A row must name an existing cell class; it is left out rather than crash the table.
            fretkit::Log::format("unknown cell class: %s", className.toUtf8().constData());
            return nullptr;
        }
        cell->setDelegate(tableDelegate_);
    }
    cell->applyStructure(rowStructure);
    if (auto* constructed = dynamic_cast<QVTableDidConstructCell*>(tableDelegate_)) {
        constructed->didConstructCell(*cell);
    }
    if (auto* values = dynamic_cast<QVTableValueOfCell*>(tableDelegate_)) {
        cell->setValue(values->valueOfCell(*cell));
    }
    return cell;
}

int QVTableView::heightForRow(TableView&, IndexPath, TableViewCell* cell) {
    return static_cast<QVTableViewCell*>(cell)->height();
}

QString QVTableView::titleForHeader(TableView&, int index) {
    const fretkit::PlistValue* title = section(index).find("title");
    return title ? QVTableViewCell::localized(*title) : QString();
}

QString QVTableView::titleForFooter(TableView&, int index) {
    if (auto* source = dynamic_cast<QVTableFooterForSection*>(tableDelegate_)) {
        if (std::optional<QString> footer =
                source->footerForSection(static_cast<unsigned>(index))) {
            return *footer;
        }
    }
    const fretkit::PlistValue* footer = section(index).find("footer");
    return footer ? QVTableViewCell::localized(*footer) : QString();
}

void QVTableView::didSelectRow(TableView&, IndexPath path) {
    QVTableViewCell* cell = cellAt(path);
    if (cell) {
        if (auto* selection = dynamic_cast<QVTableDidSelectCell*>(tableDelegate_)) {
            selection->didSelectCell(*cell);
        }
    }
    deselectRow(path, true);
}
