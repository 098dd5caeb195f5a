#pragma once

#include "foundation/PlistValue.h"
#include "ui/TableView.h"
#include "ui/TableViewDataSource.h"

class QVTableViewCell;
class QVTableViewDelegate;

// A grouped table built from a structure: an array of section dictionaries ("contents" rows,
// "title" and "footer" localisation keys), each row naming its cell class under "class". The
// table serves itself and hands every event to its table delegate.
class QVTableView : public TableView, private TableViewDataSource {
    Q_OBJECT

public:
    explicit QVTableView(QVTableViewDelegate* delegate = nullptr, QWidget* parent = nullptr);

    // A table filling the application frame below a navigation bar.
    static QVTableView* tableViewWithDelegate(QVTableViewDelegate* delegate);

    const fretkit::PlistValue& contents() const { return contents_; }
    // Replaces the structure; the caller reloads.
    void setContents(fretkit::PlistValue contents) { contents_ = std::move(contents); }

    QVTableViewDelegate* tableDelegate() const { return tableDelegate_; }
    void setTableDelegate(QVTableViewDelegate* delegate) { tableDelegate_ = delegate; }

    QVTableViewCell* cellAt(IndexPath path) const;
    using TableView::numberOfRows;
    using TableView::numberOfSections;

private:
    // The table always serves itself.
    using TableView::setDataSource;

    const fretkit::PlistValue& section(int index) const;
    const fretkit::PlistValue& row(IndexPath path) const;

    int numberOfSections(TableView&) override;
    int numberOfRows(TableView&, int section) override;
    TableViewCell* cellForRow(TableView&, IndexPath path) override;
    int heightForRow(TableView&, IndexPath path, TableViewCell* cell) override;
    QString titleForHeader(TableView&, int section) override;
    QString titleForFooter(TableView&, int section) override;
    void didSelectRow(TableView&, IndexPath path) override;

    fretkit::PlistValue contents_;
    QVTableViewDelegate* tableDelegate_;
};
