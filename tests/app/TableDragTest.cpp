#include "ScreenTestSupport.h"
#include "ui/DragScroller.h"
#include "ui/TableView.h"
#include "ui/TableViewDataSource.h"

#include <QScrollBar>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

class Rows : public TableViewDataSource {
public:
    std::vector<int> selected;
    int numberOfRows(TableView&, int) override { return 40; }
    TableViewCell* cellForRow(TableView& table, IndexPath path) override {
        TableViewCell* cell = table.dequeueReusableCell("row");
        if (!cell) {
            cell = new TableViewCell(TableViewCell::Style::Default, "row");
        }
        cell->textLabel()->setText(QString::number(path.row));
        return cell;
    }
    void didSelectRow(TableView& table, IndexPath path) override {
        selected.push_back(path.row);
        table.deselectRow(path, false);
    }
};

// A finger on the screen: events go to the widget it pressed, at a place fixed on the screen
// (the widget may scroll away under it).
class Finger {
public:
    Finger(QWidget* widget, QPoint local) : widget_(widget), global_(widget->mapToGlobal(local)) {
        send(QEvent::MouseButtonPress);
    }
    void moveBy(int dx, int dy) {
        global_ += QPoint(dx, dy);
        send(QEvent::MouseMove);
    }
    void lift() { send(QEvent::MouseButtonRelease); }

private:
    void send(QEvent::Type type) {
        const QPointF local = widget_->mapFromGlobal(QPointF(global_));
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, local, QPointF(global_), button, held, Qt::NoModifier);
        QApplication::sendEvent(widget_, &event);
    }
    QWidget* widget_;
    QPoint global_;
};

struct Table {
    QApplication& application = screenApplication();
    Rows rows;
    TableView table;

    Table() {
        table.resize(320, 416);
        table.setDataSource(&rows);
        table.reloadData();
        table.show();
        QTest::qWait(0);
    }
    int scroll() const { return table.verticalScrollBar()->value(); }
    TableViewCell* cell(int row) const { return table.cellForRow({0, row}); }
};

} // namespace

TEST(TableDrag, APressThatStaysPutSelectsAndADragScrollsWithoutSelecting) {
    Table t;
    ASSERT_GT(t.table.verticalScrollBar()->maximum(), 500);
    {
        Finger finger(t.cell(2), {100, 20});
        EXPECT_TRUE(t.cell(2)->isHighlighted());
        finger.moveBy(3, -5); // a wobble within the slop
        finger.lift();
    }
    EXPECT_EQ(t.rows.selected, std::vector<int>{2});
    EXPECT_EQ(t.scroll(), 0);

    {
        Finger finger(t.cell(3), {100, 20});
        for (int i = 0; i < 10; ++i) {
            finger.moveBy(0, -12);
        }
        EXPECT_TRUE(t.table.dragScroller()->isDragging());
        EXPECT_FALSE(t.cell(3)->isHighlighted()); // the press became a drag
        EXPECT_EQ(t.scroll(), 120);               // the list follows the finger
        finger.moveBy(0, 20);                     // and back a little
        EXPECT_EQ(t.scroll(), 100);
        QTest::qWait(150); // held still before lifting: no coasting
        finger.lift();
    }
    EXPECT_EQ(t.rows.selected, std::vector<int>{2}); // no selection from the drag
    EXPECT_FALSE(t.table.dragScroller()->isCoasting());
    EXPECT_EQ(t.scroll(), 100);

    // Dragging past the top stops at the top; the background between rows drags too.
    {
        Finger finger(t.table.widget(), {5, 300});
        finger.moveBy(0, 400);
        EXPECT_EQ(t.scroll(), 0);
        finger.lift();
    }
}

TEST(TableDrag, AFlickCoastsOnUntilItSlowsDownAndAPressStopsIt) {
    Table t;
    {
        Finger finger(t.cell(5), {100, 20});
        for (int i = 0; i < 6; ++i) {
            finger.moveBy(0, -25);
            QTest::qWait(8);
        }
        finger.lift();
    }
    const int released = t.scroll();
    EXPECT_EQ(released, 150);
    ASSERT_TRUE(t.table.dragScroller()->isCoasting());
    ASSERT_TRUE(waitUntil([&] { return !t.table.dragScroller()->isCoasting(); }));
    EXPECT_GT(t.scroll(), released + 20); // it went on in the same direction
    EXPECT_TRUE(t.rows.selected.empty());

    // Flick again and catch it: it stops where it is and the catching press selects nothing.
    t.table.verticalScrollBar()->setValue(0);
    {
        Finger finger(t.cell(5), {100, 20});
        for (int i = 0; i < 6; ++i) {
            finger.moveBy(0, -25);
            QTest::qWait(8);
        }
        finger.lift();
    }
    ASSERT_TRUE(t.table.dragScroller()->isCoasting());
    TableViewCell* under = t.cell(12);
    {
        Finger finger(under, {100, 20});
        EXPECT_FALSE(t.table.dragScroller()->isCoasting());
        EXPECT_FALSE(under->isHighlighted());
        const int caught = t.scroll();
        QTest::qWait(50);
        EXPECT_EQ(t.scroll(), caught);
        finger.lift();
    }
    EXPECT_TRUE(t.rows.selected.empty());
}

TEST(TableDrag, DragsAndTapsThatComeThroughTheWindowReachTheScroller) {
    Table t;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&t.table));
    QWindow* window = t.table.windowHandle();
    const QPoint onRow4 = t.cell(4)->mapTo(&t.table, QPoint(100, 20));
    QTest::mouseClick(window, Qt::LeftButton, {}, onRow4);
    EXPECT_EQ(t.rows.selected, std::vector<int>{4});

    QTest::mousePress(window, Qt::LeftButton, {}, onRow4);
    for (int i = 1; i <= 8; ++i) {
        QTest::mouseMove(window, onRow4 - QPoint(0, 10 * i));
    }
    QTest::qWait(150);
    QTest::mouseRelease(window, Qt::LeftButton, {}, onRow4 - QPoint(0, 80));
    EXPECT_EQ(t.scroll(), 80);
    EXPECT_EQ(t.rows.selected, std::vector<int>{4});
}
