#pragma once

#include "IndexPath.h"
#include "TableViewCell.h"

#include <QHash>
#include <QList>
#include <QScrollArea>
#include <map>
#include <memory>
#include <vector>

class DragScroller;
class TableViewDataSource;
class QLabel;

// A scrolling list of rows in sections, the grouped style of the phone: rounded groups of cells
// on a wood background, with section headers and footers. Cells come from the data source and
// go back to a pool by reuse identifier on every reload. Pressing and dragging scrolls it.
class TableView : public QScrollArea {
    Q_OBJECT

public:
    explicit TableView(QWidget* parent = nullptr);
    ~TableView() override;

    TableViewDataSource* dataSource() const { return dataSource_; }
    void setDataSource(TableViewDataSource* source) { dataSource_ = source; }

    void reloadData();
    // A pooled cell with that reuse identifier, or null; the caller then makes a new one, which
    // the table takes over when the data source answers it.
    TableViewCell* dequeueReusableCell(const QString& identifier);

    int numberOfSections() const { return static_cast<int>(rows_.size()); }
    int numberOfRows(int section) const;
    TableViewCell* cellForRow(IndexPath path) const;
    IndexPath indexPathForCell(const TableViewCell* cell) const;
    QRect rectForRow(IndexPath path) const;
    QString headerText(int section) const;
    QString footerText(int section) const;

    // Selection as the user makes it: highlight, the data source's didSelectRow, then whatever
    // the data source does (usually deselectRow).
    void selectRow(IndexPath path);
    void deselectRow(IndexPath path, bool animated);

    // Scrolls so that the row sits in the middle of the visible area (as far as possible).
    void scrollToRowInMiddle(IndexPath path);

    DragScroller* dragScroller() const { return scroller_; }

private:
    struct Row {
        TableViewCell* cell;
        QRect frame;
    };
    void layoutSection(int section, int& y, QWidget* canvas);
    QLabel* makeSectionLabel(const QString& text, bool header, QWidget* canvas, int& y);
    void recycle();

    TableViewDataSource* dataSource_ = nullptr;
    std::vector<std::vector<Row>> rows_;
    std::vector<QString> headers_;
    std::vector<QString> footers_;
    QList<QLabel*> labels_;
    QMultiHash<QString, TableViewCell*> pool_;
    DragScroller* scroller_;
};
