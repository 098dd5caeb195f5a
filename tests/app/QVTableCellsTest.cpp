#include "KitTestBundle.h"
#include "kit/QVButtonTableViewCell.h"
#include "kit/QVContactsTableViewCell.h"
#include "kit/QVCreditsTableViewCell.h"
#include "kit/QVDeleteButtonTableViewCell.h"
#include "kit/QVImageTableViewCell.h"
#include "kit/QVSegmentedButtonTableViewCell.h"
#include "kit/QVSliderTableViewCell.h"
#include "kit/QVSwitchTableViewCell.h"
#include "kit/QVTableViewDelegate.h"
#include "kit/QVTitleTableViewCell.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using fretkit::PlistValue;

namespace {

class Reports : public QObject, public QVTableViewDelegate {
    Q_OBJECT

public:
    int changes = 0;

public slots:
    void valueDidChange(QVTableViewCell*) { ++changes; }
};

// A cell of the class, given a row that names the delegate's slot as its action.
template <typename Cell>
struct Fixture {
    const TempDir& bundle = kitTestBundle();
    QApplication& application = screenApplication();
    Reports reports;
    Cell* cell = static_cast<Cell*>(QVTableViewCell::create(Cell::staticMetaObject.className()));

    explicit Fixture(PlistValue row = PlistValue::dictionary()) {
        cell->setDelegate(&reports);
        row.set("action", "valueDidChange:");
        cell->applyStructure(row);
    }
    ~Fixture() { delete cell; }
};

} // namespace

TEST(QVTableCells, TheSwitchReportsOnlyWhatTheUserDoes) {
    Fixture<QVSwitchTableViewCell> f(PlistValue::dictionary({{"text", "Flash"}}));
    f.cell->setValue(false);
    f.cell->setValue(true);
    EXPECT_EQ(f.reports.changes, 0);
    EXPECT_EQ(f.cell->value(), PlistValue(true));
    click(f.cell->button, {10, 10});
    EXPECT_EQ(f.reports.changes, 1);
    EXPECT_EQ(f.cell->value(), PlistValue(false));
    EXPECT_EQ(f.cell->textLabel()->text(), "Flash"); // not looked up in the string table
}

TEST(QVTableCells, TheSliderReportsOnlyWhatTheUserDoes) {
    Fixture<QVSliderTableViewCell> f(PlistValue::dictionary({{"text", "Volume"}}));
    f.cell->setValue(0.25);
    EXPECT_NEAR(f.cell->value().doubleValue(), 0.25, 1e-3);
    QTest::qWait(10);
    EXPECT_EQ(f.reports.changes, 0);
    f.cell->slider->triggerAction(QAbstractSlider::SliderPageStepAdd); // as a click would
    ASSERT_TRUE(waitUntil([&] { return f.reports.changes == 1; }));
    EXPECT_GT(f.cell->value().doubleValue(), 0.25);
    EXPECT_EQ(f.cell->slider->geometry().y(), 12);
}

TEST(QVTableCells, TheSegmentedCellIgnoresItsOwnValueChangesAndReportsChoices) {
    Fixture<QVSegmentedButtonTableViewCell> f(
        PlistValue::dictionary({{"segments", PlistValue::array({"4/4", "3/4", "6/8"})}}));
    EXPECT_FALSE(f.cell->hasBackground());
    EXPECT_EQ(f.cell->height(), 45);
    f.cell->setValue(2);
    EXPECT_EQ(f.reports.changes, 0);
    EXPECT_EQ(f.cell->value(), PlistValue(2));
    SegmentedControl* control = f.cell->control;
    click(control, control->segmentRect(0).center());
    EXPECT_EQ(f.reports.changes, 1);
    EXPECT_EQ(f.cell->value(), PlistValue(0));
    click(control, control->segmentRect(0).center()); // the same segment again: no change
    EXPECT_EQ(f.reports.changes, 1);
}

TEST(QVTableCells, TheDeleteButtonReportsPressesAndAMissingSlotIsNoReport) {
    Fixture<QVDeleteButtonTableViewCell> f(PlistValue::dictionary({{"text", "Close"}}));
    EXPECT_EQ(f.cell->button->text(), "Close");
    EXPECT_EQ(f.cell->button->geometry(), QRect(10, 0, 300, 44));
    f.cell->button->click();
    EXPECT_EQ(f.reports.changes, 1);

    PlistValue row = f.cell->structure();
    row.set("action", "noSuchSlot:");
    f.cell->applyStructure(row);
    f.cell->button->click();
    EXPECT_EQ(f.reports.changes, 1);
}

TEST(QVTableCells, ContactRowsGrowWithMultiLineValuesOnly) {
    Fixture<QVContactsTableViewCell> f(PlistValue::dictionary(
        {{"title", "Address"}, {"isMultiline", true}, {"value", "Main Street 1"}}));
    EXPECT_EQ(f.cell->textLabel()->text(), "address");
    EXPECT_EQ(f.cell->height(), 45);
    f.cell->setValue("A long address line that wraps\nover several lines\nin the detail text\n"
                     "and on to a fourth");
    EXPECT_GT(f.cell->height(), 45);

    PlistValue single = PlistValue::dictionary(
        {{"title", "Phone"},
         {"values",
          PlistValue::array({PlistValue::dictionary({{"value", 1}, {"text", "Shop"}})})}});
    f.cell->applyStructure(single);
    f.cell->setValue("a\nb\nc");
    EXPECT_EQ(f.cell->height(), 45); // one line: 45 whatever the text
    f.cell->setValue(1);
    EXPECT_EQ(f.cell->detailTextLabel()->text(), "Shop");
    EXPECT_EQ(f.cell->selectionStyle(), TableViewCell::SelectionStyle::Blue); // editable
}

TEST(QVTableCells, DisplayCellsApplyTheirKeysAndTheirFixedHeights) {
    Fixture<QVButtonTableViewCell> button(PlistValue::dictionary({{"text", "TN_title"}}));
    EXPECT_EQ(button.cell->textLabel()->text(), "Tuning"); // localised
    EXPECT_TRUE(button.cell->textLabel()->alignment() & Qt::AlignHCenter);
    button.cell->setEnabled(false);
    EXPECT_EQ(button.cell->selectionStyle(), TableViewCell::SelectionStyle::None);
    button.cell->applyStructure(PlistValue::dictionary({{"text", "x"}, {"alignment", 0}}));
    EXPECT_TRUE(button.cell->enabled()); // a reused button starts enabled again
    EXPECT_TRUE(button.cell->textLabel()->alignment() & Qt::AlignLeft);

    Fixture<QVCreditsTableViewCell> credit(
        PlistValue::dictionary({{"role", "Sound Design"}, {"value", "A. Player"}}));
    EXPECT_EQ(credit.cell->roleLabel->text(), "sound design");
    EXPECT_EQ(credit.cell->valueLabel->text(), "A. Player");
    EXPECT_EQ(credit.cell->height(), 62);

    Fixture<QVImageTableViewCell> image(
        PlistValue::dictionary({{"imageName", "TestImage.png"}, {"verticalPadding", 5.0}}));
    EXPECT_EQ(image.cell->height(), 20 + 2 * 5);
    image.cell->applyStructure(PlistValue::dictionary({{"imageName", "missing.png"}}));
    EXPECT_EQ(image.cell->height(), 0);

    Fixture<QVTitleTableViewCell> title(
        PlistValue::dictionary({{"title", "TN_title"}, {"editable", true}}));
    EXPECT_EQ(title.cell->accessoryType(), TableViewCell::Accessory::DisclosureIndicator);
    title.cell->applyStructure(PlistValue::dictionary({{"title", "Other"}}));
    EXPECT_EQ(title.cell->accessoryType(), TableViewCell::Accessory::None);
    EXPECT_EQ(title.cell->textLabel()->text(), "Other");
}

#include "QVTableCellsTest.moc"
