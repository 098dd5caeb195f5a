#include "foundation/Bundle.h"

#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using fretkit::Bundle;

namespace {

class BundleTest : public testing::Test {
protected:
    BundleTest() {
        dir.write("BZFretboard_nut.png", "1x");
        dir.write("BZFretboard_nut@2x.png", "2x");
        dir.write("BZFretboard_wood.png", "1x only");
        dir.write("hints/TNMainController.html", "<p>hint</p>");
        dir.write("BZTunings.plist",
                  "<plist version=\"1.0\"><array><string>Standard</string></array></plist>");
        dir.write("Broken.plist", "<plist><dict>");
        dir.write("Localizable.strings",
                  "<plist "
                  "version=\"1.0\"><dict><key>BZAlert_yes</key><string>Ja</string></dict></plist>");
        dir.write("Info.plist",
                  "<plist version=\"1.0\"><dict><key>BZEnableInput</key><true/></dict></plist>");
    }

    TempDir dir;
    Bundle bundle{dir.path().string()};
};

} // namespace

TEST_F(BundleTest, FindsResourcesByNameAndTypeAndPrefersTheDoubleVariantAtScaleTwo) {
    EXPECT_EQ(bundle.pathForResource("BZFretboard_nut", "png"), dir.file("BZFretboard_nut.png"));
    EXPECT_EQ(bundle.pathForResource("BZFretboard_nut", "png", 2),
              dir.file("BZFretboard_nut@2x.png"));
    EXPECT_EQ(bundle.pathForResource("BZFretboard_nut.png", "", 2),
              dir.file("BZFretboard_nut@2x.png"));
    EXPECT_EQ(bundle.pathForResource("BZFretboard_wood", "png", 2),
              dir.file("BZFretboard_wood.png"));
    EXPECT_EQ(bundle.pathForResource("hints/TNMainController", "html"),
              dir.file("hints/TNMainController.html"));
    EXPECT_FALSE(bundle.pathForResource("BZFretboard_nut", "jpg"));
    EXPECT_FALSE(bundle.pathForResource("hints", ""));
}

TEST_F(BundleTest, RefusesNamesThatLeaveTheBundle) {
    dir.write("../outside.plist", "x");
    EXPECT_FALSE(bundle.pathForResource("../outside", "plist"));
    EXPECT_FALSE(bundle.pathForResource("hints/../../outside", "plist"));
    EXPECT_FALSE(bundle.pathForResource("/etc/passwd", ""));
    EXPECT_FALSE(bundle.pathForResource("", "plist"));
}

TEST_F(BundleTest, ReadsPropertyListsAndLogsWhatIsMissingOrBroken) {
    LogCapture log;
    const auto tunings = bundle.propertyList("BZTunings");
    ASSERT_TRUE(tunings);
    EXPECT_EQ((*tunings)[0].stringValue(), "Standard");
    EXPECT_FALSE(bundle.propertyList("Broken"));
    EXPECT_FALSE(bundle.propertyList("Nowhere"));
    EXPECT_TRUE(log.contains("Broken.plist"));
    EXPECT_TRUE(log.contains("Nowhere"));
    EXPECT_TRUE(bundle.infoDictionary()["BZEnableInput"].boolValue());
}

TEST_F(BundleTest, LocalizesThroughTheStringTablesAndLogsAMissingTableOnce) {
    LogCapture log;
    EXPECT_EQ(bundle.localizedString("BZAlert_yes"), "Ja");
    EXPECT_EQ(bundle.localizedString("BZAlert_no", "No"), "No");
    EXPECT_EQ(bundle.localizedString("BZAlert_yes", "", "Other"), "BZAlert_yes");
    EXPECT_EQ(bundle.localizedString("BZAlert_no", "", "Other"), "BZAlert_no");
    EXPECT_EQ(log.lines().size(), 1u);
}

TEST(BundleLocation, TheEnvironmentVariableNamesTheBundle) {
    // The test runner points FRETKIT_BUNDLE at the bundle the build assembled.
    const char* configured = std::getenv(Bundle::kEnvironmentVariable);
    ASSERT_NE(configured, nullptr);
    EXPECT_EQ(Bundle::main().resourcePath(), configured);
    EXPECT_TRUE(Bundle::main().pathForResource("Localizable", "strings"));
    EXPECT_FALSE(
        Bundle::main().infoDictionary()["CFBundleShortVersionString"].stringValue().empty());
}
