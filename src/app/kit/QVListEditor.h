#pragma once

#include "QVChoiceEditor.h"
#include "ui/TableViewDataSource.h"

#include <QLineEdit>

class TableView;

// A list of choices, one of them marked: choosing a row marks it and reports at once; the editor
// stays open. Rows show "text" and "detailText"; an optional search bar sits above the list.
class QVListEditor : public QVChoiceEditor, private TableViewDataSource {
    Q_OBJECT

public:
    // Also takes "footer", "hasSearchBar" and "listEditorCellHeight".
    void setStructure(const fretkit::PlistValue& structure) override;
    QString footer() const { return footer_; }
    void setFooter(const QString& footer) { footer_ = footer; }
    float listEditorCellHeight() const { return cellHeight_; }
    bool hasSearchBar() const { return hasSearchBar_; }

    TableView* tableView() { return table_; }
    QLineEdit* searchBar() { return searchBar_; }

    // The colour of the selected row's title.
    static QColor selectedColor() { return QColor::fromRgbF(0.0f, 0.25f, 0.5f); }

protected:
    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

private:
    int numberOfRows(TableView&, int) override;
    TableViewCell* cellForRow(TableView& table, IndexPath path) override;
    int heightForRow(TableView&, IndexPath, TableViewCell*) override;
    QString titleForFooter(TableView&, int) override { return footer_; }
    void didSelectRow(TableView& table, IndexPath path) override;
    void mark(TableViewCell* cell, bool selected) const;

    QString footer_;
    float cellHeight_ = 45.0f;
    bool hasSearchBar_ = false;
    TableView* table_ = nullptr;
    QLineEdit* searchBar_ = nullptr;
};
