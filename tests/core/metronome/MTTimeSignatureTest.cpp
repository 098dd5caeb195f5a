#include "metronome/MTTimeSignature.h"

#include <gtest/gtest.h>

namespace {

TEST(MTTimeSignature, ReadsTheForms) {
    const struct {
        const char* text;
        std::uint32_t encoded;
    } cases[] = {{"4", 4},     {"4:0,3", 0x34}, {"3:0", 3}, {"7:2,4,6", 0x6427}, {"0x34", 0x34},
                 {"52", 0x34}, {"none", 0},     {"0", 0},   {"15:14", 0xEF}};
    for (const auto& c : cases) {
        std::string error;
        const auto signature = MTTimeSignature::parse(c.text, &error);
        ASSERT_TRUE(signature) << c.text << ": " << error;
        EXPECT_EQ(signature->encoded(), c.encoded) << c.text;
    }
}

TEST(MTTimeSignature, RefusesWhatNamesNoBar) {
    for (const char* text : {"", "x", "16", "4:4", "4:-1", "0x30", "0x54", "4:1,2,3,1,2,3,1,2",
                             "0x1ffffffff", "4:1,,2", "3 "}) {
        std::string error;
        EXPECT_FALSE(MTTimeSignature::parse(text, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(MTTimeSignature, ZeroBeatsPerBarReadsAsNoBars) {
    // A stored value with accent groups but no bar length must not divide by zero.
    const MTTimeSignature odd(0x30);
    EXPECT_FALSE(odd.hasBars());
    EXPECT_FALSE(odd.isAccented(0));
    EXPECT_FALSE(odd.startsBar(3));
}

} // namespace
