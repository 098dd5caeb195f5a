#include "kit/QVUUID.h"

#include <gtest/gtest.h>

using fretkit::PlistValue;
using fretkit::QVUUID;

TEST(QVUUID, StringFormBytesAndKeyedCodingRoundTrip) {
    const QVUUID fresh;
    EXPECT_EQ(fresh.length(), 16u);
    EXPECT_NE(fresh, QVUUID());              // random
    EXPECT_EQ(fresh.description()[14], '4'); // version 4
    const auto parsed = QVUUID::fromString(fresh.description());
    ASSERT_TRUE(parsed);
    EXPECT_EQ(*parsed, fresh);
    EXPECT_EQ(QVUUID::fromData(fresh.dataValue()), fresh);
    EXPECT_EQ(QVUUID::decode(fresh.encode()), fresh);
    EXPECT_TRUE(fresh.encode()["uuid"].dataBytes().size() == 16);

    const auto known = QVUUID::fromString("0102a3b4-0000-4000-8000-00000000beef");
    ASSERT_TRUE(known);
    EXPECT_EQ(known->hash(), 0x0102u);
    EXPECT_EQ(known->description(), "0102A3B4-0000-4000-8000-00000000BEEF");
}

TEST(QVUUID, MalformedInputIsRefused) {
    EXPECT_FALSE(QVUUID::fromString(""));
    EXPECT_FALSE(QVUUID::fromString("0102a3b4-0000-4000-8000-00000000beeg"));
    EXPECT_FALSE(QVUUID::fromString("0102a3b4+0000-4000-8000-00000000beef"));
    EXPECT_FALSE(QVUUID::fromData(PlistValue::Data(15, 0)));
    EXPECT_FALSE(QVUUID::decode(PlistValue::dictionary({{"uuid", "text"}})));
}
