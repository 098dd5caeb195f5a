#include "metronome/MTSettings.h"

#include "foundation/Bundle.h"
#include "foundation/FileIO.h"
#include "foundation/UserDefaults.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(MTSettings, DefaultsAreRegistered) {
    TempDir dir;
    fretkit::UserDefaults defaults(dir.file("defaults.plist"));
    MTSettings::registerDefaults(defaults);
    EXPECT_EQ(defaults.integerForKey(MTSettings::kTempoKey), 120);
    EXPECT_EQ(defaults.integerForKey(MTSettings::kMovementStyleKey), 1);
    EXPECT_FALSE(defaults.boolForKey(MTSettings::kFlashOnBarKey));
    EXPECT_EQ(defaults.integerForKey(MTSettings::kTimeSignatureKey), 0);
    EXPECT_EQ(defaults.stringForKey(MTSettings::kSoundNameKey), "Blip");
}

TEST(MTSettings, ClicksAreLittleEndianSamples) {
    TempDir dir;
    ASSERT_TRUE(fretkit::FileIO::writeAtomically(dir.file("Odd.click"),
                                                 std::string("\x01\x00\xff\x7f\x00\x80\x05", 7)));
    ASSERT_TRUE(fretkit::FileIO::writeAtomically(dir.file("A.click"), ""));
    ASSERT_TRUE(fretkit::FileIO::writeAtomically(dir.file("Other.caf"), "x"));
    const fretkit::Bundle bundle(dir.path().string());
    std::string error;
    const auto samples = MTSettings::loadClick(bundle, "Odd", &error);
    ASSERT_TRUE(samples) << error;
    EXPECT_EQ(*samples, (std::vector<std::int16_t>{1, 32767, -32768}));
    EXPECT_EQ(MTSettings::loadClick(bundle, "A", &error), std::vector<std::int16_t>{});
    EXPECT_FALSE(MTSettings::loadClick(bundle, "Missing", &error));
    EXPECT_NE(error.find("Missing"), std::string::npos);
    EXPECT_EQ(MTSettings::clickNames(bundle), (std::vector<std::string>{"A", "Odd"}));
}

} // namespace
