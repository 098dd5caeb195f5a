#include "QVNameEditor.h"

#include "QVEditorDelegate.h"
#include "ui/NavigationController.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"
#include "ui/TableViewDataSource.h"

namespace {

// One section, header " ", with the field's row.
class NameSection : public TableViewDataSource {
public:
    explicit NameSection(TableViewCell* cell) : cell_(cell) {}
    int numberOfRows(TableView&, int) override { return 1; }
    TableViewCell* cellForRow(TableView&, IndexPath) override { return cell_; }
    QString titleForHeader(TableView&, int) override { return QStringLiteral(" "); }

private:
    TableViewCell* cell_;
};

class NameTable : public TableView {
public:
    explicit NameTable(TableViewCell* cell) : section_(cell) { setDataSource(&section_); }

private:
    NameSection section_;
};

} // namespace

void QVNameEditor::setText(const QString& text) {
    text_ = text;
    if (field_) {
        field_->setText(text);
    }
}

void QVNameEditor::loadView() {
    auto* cell = new TableViewCell(TableViewCell::Style::Default,
                                   QStringLiteral("QVNameEditorTableViewCell"));
    cell->setSelectionStyle(TableViewCell::SelectionStyle::None);
    field_ = new QLineEdit(cell->contentView());
    field_->setGeometry(9, 6, 282, 30);
    field_->setClearButtonEnabled(true);
    field_->setText(text_);
    field_->setFrame(false);
    field_->setStyleSheet(
        QStringLiteral("QLineEdit{background:transparent;color:#2b1d12;font-size:25px;}"));
    connect(field_, &QLineEdit::textChanged, this, [this](const QString& text) { text_ = text; });
    connect(field_, &QLineEdit::returnPressed, this, [this] {
        if (NavigationController* navigation = navigationController()) {
            navigation->popViewController(true);
        }
    });
    auto* table = new NameTable(cell);
    table->resize(320, 416);
    table->reloadData();
    setView(table);
}

void QVNameEditor::viewDidAppear(bool) {
    field_->setFocus();
}

void QVNameEditor::viewWillDisappear(bool) {
    if (auto* listener = delegateAs<QVNameEditorWillClose>()) {
        listener->nameEditorWillClose(*this);
    }
}
