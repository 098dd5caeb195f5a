#include "kit/QVTableView.h"

#include "KitTestBundle.h"
#include "foundation/PlistFile.h"
#include "kit/QVListEditor.h"
#include "kit/QVTableViewCell.h"
#include "kit/QVTitleValueTableViewCell.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

using fretkit::PlistValue;

namespace {

PlistValue parse(const char* xml) {
    return fretkit::PlistFile::parse(xml).value_or(PlistValue());
}

// A delegate that answers every optional operation and writes down the calls.
class FullDelegate : public QObject,
                     public QVTableViewDelegate,
                     public QVTableDidSelectCell,
                     public QVTableValueOfCell,
                     public QVTableDidConstructCell,
                     public QVTableFooterForSection {
    Q_OBJECT

public:
    QStringList calls;
    std::optional<QString> footer;

    void didSelectCell(QVTableViewCell& cell) override {
        calls << "select " + QString::fromStdString(cell.key());
    }
    PlistValue valueOfCell(QVTableViewCell& cell) override {
        calls << "value " + QString::fromStdString(cell.key());
        return cell.key() == "TN_tuning" ? PlistValue("std") : PlistValue(3);
    }
    void didConstructCell(QVTableViewCell& cell) override {
        calls << "construct " + QString::fromStdString(cell.key());
    }
    std::optional<QString> footerForSection(unsigned) override { return footer; }

public slots:
    void valueDidChange(QVTableViewCell* cell) {
        calls << "changed " + QString::fromStdString(cell->key());
    }
};

const char* kSettings = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><array>
 <dict><key>title</key><string>TN_section</string><key>footer</key><string>TN_footer</string>
  <key>contents</key><array>
   <dict><key>class</key><string>QVTitleValueTableViewCell</string><key>key</key>
    <string>TN_tuning</string><key>title</key><string>TN_title</string><key>editable</key><true/>
    <key>editorClass</key><string>QVListEditor</string>
    <key>values</key><array>
     <dict><key>value</key><string>std</string><key>text</key><string>TN_standard</string></dict>
     <dict><key>value</key><string>drop</string><key>text</key><string>Drop D</string></dict>
     <dict><key>value</key><string>std</string><key>text</key><string>Standard again</string></dict>
    </array></dict>
   <dict><key>class</key><string>QVSwitchTableViewCell</string><key>key</key><string>TN_flash</string>
    <key>text</key><string>Flash</string><key>action</key><string>valueDidChange:</string>
    <key>height</key><real>60.5</real></dict>
  </array></dict>
</array></plist>)";

struct Table {
    const TempDir& bundle = kitTestBundle();
    QApplication& application = screenApplication();
    FullDelegate delegate;
    QVTableView table{&delegate};

    Table() {
        table.setContents(parse(kSettings));
        table.reloadData();
    }
};

} // namespace

TEST(QVTableView, AnEmptyOrMissingStructureStillHasOneEmptySection) {
    kitTestBundle();
    screenApplication();
    QVTableView table;
    table.reloadData();
    EXPECT_EQ(table.numberOfSections(), 1);
    EXPECT_EQ(table.numberOfRows(0), 0);
    table.setContents(PlistValue::array());
    table.reloadData();
    EXPECT_EQ(table.numberOfSections(), 1);
}

TEST(QVTableView, BuildsCellsInTheDelegatesOrderWithTheirHeightsAndTexts) {
    Table t;
    EXPECT_EQ(t.delegate.calls, QStringList({"construct TN_tuning", "value TN_tuning",
                                             "construct TN_flash", "value TN_flash"}));
    EXPECT_EQ(t.table.headerText(0), "Sound");
    EXPECT_EQ(t.table.footerText(0), "From the table");
    EXPECT_EQ(t.table.rectForRow({0, 0}).height(), 45); // no "height": the base rule
    EXPECT_EQ(t.table.rectForRow({0, 1}).height(), 60);

    auto* tuning = static_cast<QVTitleValueTableViewCell*>(t.table.cellAt({0, 0}));
    EXPECT_EQ(tuning->textLabel()->text(), "Tuning");
    EXPECT_EQ(tuning->detailTextLabel()->text(), "Standard"); // first match, localised
    EXPECT_EQ(tuning->accessoryType(), TableViewCell::Accessory::DisclosureIndicator);
    // stringForValue takes the last match, and says when there is none.
    EXPECT_EQ(tuning->stringForValue("std"), "Standard again");
    EXPECT_EQ(tuning->stringForValue("open G"), "(value not found)");
    tuning->setValue(7); // a number the values do not hold shows as a number
    EXPECT_EQ(tuning->detailTextLabel()->text(), "7");
}

TEST(QVTableView, TheDelegatesFooterWinsUnlessItAnswersNothing) {
    Table t;
    t.delegate.footer = QStringLiteral("From the delegate");
    t.table.reloadData();
    EXPECT_EQ(t.table.footerText(0), "From the delegate");
    t.delegate.footer.reset();
    t.table.reloadData();
    EXPECT_EQ(t.table.footerText(0), "From the table");
}

TEST(QVTableView, SelectionReachesTheDelegateAndTheRowIsDeselected) {
    Table t;
    t.delegate.calls.clear();
    QVTableViewCell* cell = t.table.cellAt({0, 0});
    click(cell, {100, 20});
    EXPECT_EQ(t.delegate.calls, QStringList({"select TN_tuning"}));
    ASSERT_TRUE(waitUntil([&] { return !cell->isHighlighted(); }));
}

TEST(QVTableView, ReusedCellsAreResetByTheirNewRow) {
    Table t;
    QVTableViewCell* first = t.table.cellAt({0, 0});
    PlistValue other = parse(kSettings);
    PlistValue rows = PlistValue::array();
    rows.append(PlistValue::dictionary({{"class", "QVTitleValueTableViewCell"},
                                        {"key", "TN_other"},
                                        {"title", "Plain"},
                                        {"value", "shown"}}));
    PlistValue section = PlistValue::dictionary({{"contents", rows}});
    t.table.setContents(PlistValue::array({section}));
    t.table.reloadData();
    auto* reused = static_cast<QVTitleValueTableViewCell*>(t.table.cellAt({0, 0}));
    EXPECT_EQ(reused, first); // the same cell, from the pool
    EXPECT_EQ(reused->textLabel()->text(), "Plain");
    EXPECT_EQ(reused->accessoryType(), TableViewCell::Accessory::None);
    EXPECT_EQ(reused->selectionStyle(), TableViewCell::SelectionStyle::None);
    EXPECT_EQ(t.table.headerText(0), "");
}

TEST(QVTableView, EditorsComeByNameAndUnknownNamesAreLogged) {
    Table t;
    QVTableViewCell* cell = t.table.cellAt({0, 0});
    std::unique_ptr<QVEditor> editor = cell->editor();
    ASSERT_NE(dynamic_cast<QVListEditor*>(editor.get()), nullptr);
    EXPECT_EQ(editor->title(), "TN_title"); // the row's title, not localised here
    EXPECT_EQ(editor->delegate(), &t.delegate);

    EXPECT_EQ(t.table.cellAt({0, 1})->editor(), nullptr); // no editor named
    PlistValue row = cell->structure();
    row.set("editorClass", "QVNoSuchEditor");
    cell->applyStructure(row);
    LogCapture log;
    EXPECT_EQ(cell->editor(), nullptr);
    EXPECT_TRUE(log.contains("unknown editorClass: QVNoSuchEditor"));
}

TEST(QVTableView, AnUnknownCellClassLeavesTheRowOutWithALogLine) {
    kitTestBundle();
    screenApplication();
    LogCapture log;
    QVTableView table;
    table.setContents(parse(R"(<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><array>
      <dict><key>contents</key><array><dict><key>class</key><string>Nope</string></dict>
      <dict><key>class</key><string>QVTitleTableViewCell</string></dict></array></dict>
      </array></plist>)"));
    table.reloadData();
    EXPECT_EQ(table.numberOfRows(0), 1);
    EXPECT_TRUE(log.contains("unknown cell class: Nope"));
}

#include "QVTableViewTest.moc"
