#include "KitTestBundle.h"
#include "kit/QVEditorDelegate.h"
#include "kit/QVListEditor.h"
#include "kit/QVMIDINoteEditor.h"
#include "kit/QVNameEditor.h"
#include "kit/QVPickerEditor.h"
#include "ui/NavigationController.h"
#include "ui/PhoneScreen.h"
#include "ui/TableView.h"

#include <gtest/gtest.h>

using fretkit::PlistValue;

namespace {

class Listener : public QVTableViewDelegate,
                 public QVListEditorValueDidChange,
                 public QVListEditorWillClose,
                 public QVMIDINoteEditorDidChange,
                 public QVNameEditorWillClose {
public:
    QStringList calls;
    void listEditorValueDidChange(QVListEditor& editor) override {
        calls << "changed " + QString::fromStdString(editor.valueOfSelectedItem().stringValue());
    }
    void listEditorWillClose(QVListEditor&) override { calls << "close"; }
    void midiNoteEditorDidChange(QVMIDINoteEditor& editor) override {
        calls << QString::number(editor.note());
    }
    void nameEditorWillClose(QVNameEditor& editor) override { calls << "name " + editor.text(); }
};

PlistValue choices(std::initializer_list<const char*> values) {
    PlistValue list = PlistValue::array();
    for (const char* value : values) {
        list.append(PlistValue::dictionary({{"value", value}, {"text", value}}));
    }
    return list;
}

struct Settings {
    const TempDir& bundle = kitTestBundle();
    QApplication& application = screenApplication();
    Listener listener; // outlives the screens, as a delegate does
    PhoneScreen screen;
    NavigationController* navigation = nullptr;

    Settings() {
        auto stack = std::make_unique<NavigationController>(std::make_unique<ViewController>());
        navigation = stack.get();
        screen.setRootViewController(std::move(stack));
    }
};

} // namespace

TEST(QVListEditor, MarksOneChoiceReportsEachChoiceAndSaysWhenItCloses) {
    Settings s;
    auto editor = std::make_unique<QVListEditor>();
    QVListEditor* list = editor.get();
    PlistValue row = PlistValue::dictionary({{"key", "TN_tuning"},
                                             {"values", choices({"a", "b", "c", "b"})},
                                             {"footer", "Pick one"},
                                             {"listEditorCellHeight", 50}});
    list->setStructure(row);
    list->setDelegate(&s.listener);
    EXPECT_EQ(list->identifier(), "TN_tuning");
    list->selectItemWithValue("zzz"); // absent: nothing marked
    EXPECT_EQ(list->selectedIndex(), QVListEditor::kNone);
    list->selectItemWithValue("b");
    EXPECT_EQ(list->selectedIndex(), 3u); // the last match
    s.navigation->pushViewController(std::move(editor), false);

    TableView* table = list->tableView();
    EXPECT_EQ(table->footerText(0), "Pick one");
    EXPECT_EQ(table->rectForRow({0, 0}).height(), 50);
    const auto marked = [&](int index) {
        return table->cellForRow({0, index})->accessoryType() ==
               TableViewCell::Accessory::Checkmark;
    };
    EXPECT_TRUE(marked(3));
    EXPECT_EQ(table->cellForRow({0, 3})->titleColor(), QVListEditor::selectedColor());
    click(table->cellForRow({0, 0}), {100, 20});
    EXPECT_TRUE(marked(0));
    EXPECT_FALSE(marked(3));
    EXPECT_EQ(table->cellForRow({0, 3})->titleColor(), TableViewCell::textColor());
    EXPECT_EQ(s.listener.calls, QStringList({"changed a"}));
    EXPECT_EQ(s.navigation->topViewController(), list); // the editor stays open

    s.navigation->popViewController(false);
    EXPECT_EQ(s.listener.calls.last(), "close");
}

TEST(QVListEditor, PrefersDetailedValuesAndLaysOutItsSearchBar) {
    Settings s;
    QVListEditor editor;
    PlistValue detailed = PlistValue::array(
        {PlistValue::dictionary({{"value", 1}, {"text", "One"}, {"detailText", "first"}})});
    editor.setStructure(PlistValue::dictionary(
        {{"values", choices({"x"})}, {"detailedValues", detailed}, {"hasSearchBar", true}}));
    EXPECT_EQ(editor.list(), detailed);
    editor.view();
    EXPECT_EQ(editor.searchBar()->geometry(), QRect(0, 0, 320, 44));
    EXPECT_EQ(editor.tableView()->geometry(), QRect(0, 44, 320, 372));
}

TEST(QVMIDINoteEditor, NamesNotesFromCMinusTwoAndSnapsBackPast127) {
    Settings s;
    EXPECT_EQ(QVMIDINoteEditor::nameOfNote(0), "C-2");
    EXPECT_EQ(QVMIDINoteEditor::nameOfNote(60), "C3");
    EXPECT_EQ(QVMIDINoteEditor::nameOfNote(127), "G8");
    EXPECT_EQ(QVMIDINoteEditor::nameOfNote(70), "Bb3");

    auto owned = std::make_unique<QVMIDINoteEditor>();
    QVMIDINoteEditor* editor = owned.get();
    editor->setNote(64);
    editor->setDelegate(&s.listener);
    s.navigation->pushViewController(std::move(owned), false);
    EXPECT_EQ(editor->picker()->selectedRow(0), 4);
    EXPECT_EQ(editor->picker()->selectedRow(1), 5);
    EXPECT_EQ(editor->nameLabel()->text(), "E3");
    EXPECT_EQ(editor->numberLabel()->text(), "64");

    editor->chooseRows(7, 10); // G8 = 127
    EXPECT_EQ(editor->note(), 127u);
    editor->chooseRows(8, 10); // Ab8 = 128: back to G8
    EXPECT_EQ(editor->note(), 127u);
    ASSERT_TRUE(waitUntil([&] { return !editor->picker()->isTurning(); }));
    EXPECT_EQ(editor->picker()->selectedRow(0), 7);
    EXPECT_EQ(editor->nameLabel()->text(), "G8");
    EXPECT_EQ(s.listener.calls, QStringList({"127", "127"}));
}

TEST(QVNameEditor, ReturnClosesTheEditorWithTheTextTyped) {
    Settings s;
    auto owned = std::make_unique<QVNameEditor>();
    QVNameEditor* editor = owned.get();
    editor->setText("Old");
    editor->setDelegate(&s.listener);
    s.navigation->pushViewController(std::move(owned), false);
    editor->field()->clear();
    QTest::keyClicks(editor->field(), "Home");
    QTest::keyClick(editor->field(), Qt::Key_Return);
    ASSERT_TRUE(waitUntil([&] { return s.navigation->viewControllers().size() == 1; }));
    EXPECT_EQ(s.listener.calls, QStringList({"name Home"}));
}

TEST(QVPickerEditor, ShowsTheSelectedChoiceOnItsWheel) {
    Settings s;
    auto owned = std::make_unique<QVPickerEditor>();
    QVPickerEditor* editor = owned.get();
    editor->setStructure(PlistValue::dictionary({{"values", choices({"a", "b", "c"})}}));
    editor->selectItemWithValue("c");
    s.navigation->pushViewController(std::move(owned), false);
    EXPECT_EQ(editor->picker()->selectedRow(0), 2);
    EXPECT_EQ(editor->valueOfSelectedItem(), PlistValue("c"));
}
