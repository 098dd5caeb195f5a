#include "foundation/Bundle.h"
#include "foundation/FileIO.h"
#include "metronome/MTSettings.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>

namespace {

// The generated sounds in the build's bundle.
TEST(MTClickSounds, TheBundleOffersShortCleanClicks) {
    const fretkit::Bundle& bundle = fretkit::Bundle::main();
    const auto names = MTSettings::clickNames(bundle);
    EXPECT_GE(names.size(), 5u);
    EXPECT_NE(std::find(names.begin(), names.end(), MTSettings::kDefaultSoundName), names.end());
    std::set<std::vector<std::int16_t>> distinct;
    for (const std::string& name : names) {
        std::string error;
        const auto click = MTSettings::loadClick(bundle, name, &error);
        ASSERT_TRUE(click) << error;
        ASSERT_FALSE(click->empty()) << name;
        EXPECT_LT(click->size(), 4410u) << name << ": not under 100 ms";
        long long sum = 0;
        int peak = 0;
        for (const std::int16_t s : *click) {
            sum += s;
            peak = std::max(peak, std::abs(int{s}));
        }
        EXPECT_LT(std::llabs(sum), static_cast<long long>(click->size())) << name << ": DC";
        EXPECT_LE(std::abs(int{click->front()}), 64) << name << ": the attack starts with a step";
        EXPECT_LE(std::abs(int{click->back()}), 64) << name << ": the end stops with a step";
        // Loud enough to hear at a quarter gain, and an accent alone does not clip.
        EXPECT_GT(peak, 16000) << name;
        EXPECT_LT(peak, 32000) << name;
        distinct.insert(*click);
    }
    EXPECT_EQ(distinct.size(), names.size());
}

TEST(MTClickSounds, TheBundleHoldsThePickerTocks) {
    for (const char* name : {"MTTempoEditorTitlePicker_tock", "QVHorizontalPickerView_tock"}) {
        const auto path = fretkit::Bundle::main().pathForResource(name, "caf");
        ASSERT_TRUE(path) << name;
        const auto bytes = fretkit::FileIO::readAll(*path);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(bytes->substr(0, 4), "caff") << name;
    }
}

} // namespace
