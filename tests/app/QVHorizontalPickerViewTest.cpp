#include "kit/QVHorizontalPickerView.h"

#include "ScreenTestSupport.h"

#include <gtest/gtest.h>

namespace {

class Names : public QVHorizontalPickerViewDelegate {
public:
    QStringList names{"C", "D", "E", "F", "G", "A", "B"};
    std::vector<std::int32_t> rested;

    unsigned numberOfItemsInPickerView(QVHorizontalPickerView&) override {
        return static_cast<unsigned>(names.size());
    }
    Item pickerViewItemAtPosition(QVHorizontalPickerView&, unsigned index) override {
        return names[static_cast<qsizetype>(index)];
    }
    void pickerSelectionDidChange(QVHorizontalPickerView& picker) override {
        rested.push_back(picker.selectedItemIndex());
    }
};

struct Picker {
    QApplication& application = screenApplication();
    Names names;
    QVHorizontalPickerView view;
    int clicks = 0;

    Picker() {
        view.resize(300, 60);
        view.setDelegate(&names);
        QVHorizontalPickerView::setClickPlayer([this] { ++clicks; });
        view.reloadItems();
    }
    ~Picker() { QVHorizontalPickerView::setClickPlayer({}); }
};

} // namespace

TEST(QVHorizontalPickerView, SelectingAnItemCentresItAndTellsTheDelegate) {
    Picker picker;
    ASSERT_EQ(picker.view.items().size(), 7u);
    EXPECT_EQ(picker.view.selectedItemIndex(), 0);
    picker.view.setSelectedItemIndex(3);
    EXPECT_EQ(picker.names.rested, (std::vector<std::int32_t>{3}));
    EXPECT_EQ(picker.clicks, 0); // an instant move makes no sound
    const auto& positions = picker.view.positions();
    EXPECT_NEAR(static_cast<float>(positions[3]) + picker.view.widths()[3] / 2.0f, 150.0f, 1.0f);

    picker.names.rested.clear();
    picker.view.setSelectedItemIndex(5, true);
    ASSERT_TRUE(waitUntil([&] { return !picker.view.isAutoscrolling(); }));
    EXPECT_EQ(picker.view.selectedItemIndex(), 5);
    EXPECT_EQ(picker.names.rested.back(), 5);
    EXPECT_GE(picker.clicks, 2); // E..A: passes F and lands on A
}

TEST(QVHorizontalPickerView, ADragClicksAtEachItemAndTheReleaseSnapsToOne) {
    Picker picker;
    const double step = static_cast<double>(picker.view.widths()[0]);
    sendMouse(&picker.view, QEvent::MouseButtonPress, {200, 30});
    sendMouse(&picker.view, QEvent::MouseMove, {200 - step * 0.6, 30});
    EXPECT_EQ(picker.clicks, 0);
    EXPECT_TRUE(picker.names.rested.empty()); // nothing reported while the finger is down
    sendMouse(&picker.view, QEvent::MouseMove, {200 - step * 1.2, 30});
    EXPECT_EQ(picker.clicks, 1);
    sendMouse(&picker.view, QEvent::MouseButtonRelease, {200 - step * 1.2, 30});
    ASSERT_TRUE(waitUntil([&] { return !picker.view.isAutoscrolling(); }));
    EXPECT_EQ(picker.view.selectedItemIndex(), 1);
    EXPECT_EQ(picker.names.rested, (std::vector<std::int32_t>{1}));
}

TEST(QVHorizontalPickerView, TheFontIsSharedAndReloadsKeepTheScroll) {
    Picker picker;
    picker.view.setSelectedItemIndex(2);
    const std::int32_t scroll = picker.view.scroll();
    const float before = picker.view.widths()[6];
    QVHorizontalPickerView::setFontSize(40);
    QVHorizontalPickerView other;
    EXPECT_EQ(QVHorizontalPickerView::itemFont().pixelSize(), 40);
    picker.names.names[6] = "Bb";
    picker.view.reloadItems(true);
    EXPECT_GT(picker.view.widths()[6], before);
    EXPECT_EQ(picker.view.scroll(), scroll);
    QVHorizontalPickerView::setFontSize(26);

    picker.names.names.clear(); // an empty strip neither wraps nor loops
    picker.view.reloadItems();
    EXPECT_EQ(picker.view.selectedItemIndex(), QVHorizontalPickerView::kNotFound);
    sendMouse(&picker.view, QEvent::MouseButtonPress, {10, 10});
    sendMouse(&picker.view, QEvent::MouseButtonRelease, {10, 10});
    ASSERT_TRUE(waitUntil([&] { return !picker.view.isAutoscrolling(); }));
}
