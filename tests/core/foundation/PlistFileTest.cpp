#include "foundation/PlistFile.h"

#include "support/TempDir.h"

#include <climits>
#include <gtest/gtest.h>

using fretkit::PlistDate;
using fretkit::PlistFile;
using fretkit::PlistValue;

namespace {

PlistValue sampleTree() {
    return PlistValue::dictionary({
        {"name", "Grüße – ♩ 𝄞 \"quoted\" <&>"},
        {"count", 42},
        {"negative", -440},
        {"smallest", PlistValue(static_cast<long long>(LLONG_MIN))},
        {"ratio", 0.125},
        {"flag", true},
        {"off", false},
        {"bytes", PlistValue(PlistValue::Data{0, 1, 2, 255, 0})},
        {"when", PlistDate{123456789.0}},
        {"empty", PlistValue::array()},
        {"nested",
         PlistValue::array(
             {PlistValue::dictionary(
                  {{"notes", PlistValue::array({64, 59, 55})}, {"z", "last"}, {"a", "after z"}}),
              "text"})},
    });
}

class PlistFormats : public testing::TestWithParam<PlistFile::Format> {};

} // namespace

TEST_P(PlistFormats, RoundTripKeepsEveryTypeUnicodeAndKeyOrder) {
    const PlistValue tree = sampleTree();
    const auto bytes = PlistFile::serialize(tree, GetParam());
    ASSERT_TRUE(bytes);
    const auto back = PlistFile::parse(*bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, tree);
    EXPECT_EQ((*back)["nested"][0].keys(), (std::vector<std::string>{"notes", "z", "a"}));
}

TEST_P(PlistFormats, WritesFilesAtomicallyAndReadsThemBack) {
    TempDir dir;
    const std::string path = dir.file("sub/dir/list.plist");
    ASSERT_TRUE(PlistFile::write(sampleTree(), path, GetParam()));
    ASSERT_TRUE(PlistFile::write(PlistValue::array({"second"}), path, GetParam()));
    const auto back = PlistFile::read(path);
    ASSERT_TRUE(back);
    EXPECT_EQ((*back)[0].stringValue(), "second");
    // Only the file itself: no temporary files are left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path() / "sub/dir"),
                            std::filesystem::directory_iterator()),
              1);
}

INSTANTIATE_TEST_SUITE_P(XmlAndBinary, PlistFormats,
                         testing::Values(PlistFile::Format::Xml, PlistFile::Format::Binary));

TEST(PlistFile, ReadsDatesAgainstTheReferenceDate) {
    const auto value = PlistFile::parse("<plist version=\"1.0\"><array>"
                                        "<date>2001-01-01T00:00:00Z</date>"
                                        "<date>2001-01-02T00:00:10Z</date></array></plist>");
    ASSERT_TRUE(value);
    EXPECT_EQ((*value)[0].dateValue().secondsSinceReferenceDate, 0.0);
    EXPECT_EQ((*value)[1].dateValue().secondsSinceReferenceDate, 86410.0);
}

TEST(PlistFile, RejectsDamagedInputWithAReason) {
    const std::string valid = *PlistFile::serialize(sampleTree(), PlistFile::Format::Binary);
    const std::string xml = *PlistFile::serialize(sampleTree(), PlistFile::Format::Xml);
    for (const std::string& bad :
         {std::string(), std::string("not a plist at all"), std::string("<plist><dict><key>a"),
          valid.substr(0, valid.size() / 2), std::string("bplist00\xff\xff\xff", 11)}) {
        std::string error;
        EXPECT_FALSE(PlistFile::parse(bad, &error)) << bad;
        EXPECT_FALSE(error.empty());
    }
    // Truncated XML anywhere must fail cleanly, never crash.
    for (std::size_t length = 1; length < xml.size(); length += 7) {
        (void)PlistFile::parse(std::string_view(xml).substr(0, length));
    }
}

TEST(PlistFile, ReportsMissingFilesAndNullValues) {
    std::string error;
    EXPECT_FALSE(PlistFile::read("/nonexistent/fretkit.plist", &error));
    EXPECT_NE(error.find("/nonexistent/fretkit.plist"), std::string::npos);
    EXPECT_FALSE(PlistFile::serialize(PlistValue(), PlistFile::Format::Xml, &error));

    TempDir dir;
    EXPECT_FALSE(PlistFile::write(PlistValue("x"), "/proc/fretkit/cannot.plist",
                                  PlistFile::Format::Xml, &error));
    EXPECT_FALSE(error.empty());
}
