#include "kit/QVHorizontalPickerView.h"

#include "ScreenTestSupport.h"
#include "audio/QVAudioStream.h"
#include "host/SystemSounds.h"
#include "kit/QVClickSound.h"
#include "support/AudioTestSupport.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

using namespace fretkit::host;

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

TEST(QVHorizontalPickerView, TocksThroughTheSystemSoundsOnlyWhileTheStreamRuns) {
    screenApplication();
    OfflineAudioDevice& device = installOfflineDevice(44100.0, 0, 2);
    Names names;
    QVHorizontalPickerView view;
    view.resize(300, 60);
    view.setDelegate(&names);
    view.reloadItems();
    const auto dragAcrossOneItem = [&] {
        const double step = static_cast<double>(view.widths()[0]);
        sendMouse(&view, QEvent::MouseButtonPress, {200, 30});
        sendMouse(&view, QEvent::MouseMove, {200 - step * 1.2, 30});
        sendMouse(&view, QEvent::MouseButtonRelease, {200 - step * 1.2, 30});
        ASSERT_TRUE(waitUntil([&] { return !view.isAutoscrolling(); }));
    };

    // No stream: the click is not even loaded, and nothing waits to sound later.
    dragAcrossOneItem();
    EXPECT_EQ(SystemSounds::playingCount(), 0u);

    QVAudioStreamDelegate silent;
    auto stream = QVAudioStream::withDelegate(&silent);
    ASSERT_TRUE(stream && stream->start());
    dragAcrossOneItem();
    ASSERT_GE(SystemSounds::playingCount(), 1u);
    std::vector<float> out(2 * 512, 0.0f);
    ASSERT_TRUE(device.pump(512, nullptr, out.data()));
    EXPECT_GT(*std::max_element(out.begin(), out.end()), 0.01f); // the tock reaches the output
    EXPECT_TRUE(stream->stop());

    // A sound missing from the bundle keeps the clicks silent, said once.
    LogCapture log;
    ASSERT_TRUE(stream->start());
    QVClickSound missing("NoSuchTock", "caf");
    EXPECT_FALSE(missing.play());
    EXPECT_FALSE(missing.play());
    EXPECT_EQ(log.lines().size(), 1u);
    EXPECT_TRUE(log.contains("no sound NoSuchTock.caf"));
    EXPECT_TRUE(stream->stop());
}
