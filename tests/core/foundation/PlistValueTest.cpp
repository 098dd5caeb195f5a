#include "foundation/PlistValue.h"

#include <climits>
#include <gtest/gtest.h>

using fretkit::PlistValue;

TEST(PlistValue, StringsReadAsNumbersTheWaySettingsAreRead) {
    EXPECT_EQ(PlistValue("12").intValue(), 12);
    EXPECT_EQ(PlistValue("  -7 apples").intValue(), -7);
    EXPECT_EQ(PlistValue("+3").intValue(), 3);
    EXPECT_EQ(PlistValue("x12").intValue(), 0);
    EXPECT_EQ(PlistValue("").intValue(), 0);
    EXPECT_EQ(PlistValue("99999999999").intValue(), INT_MAX);
    EXPECT_EQ(PlistValue("-99999999999").intValue(), INT_MIN);
    EXPECT_EQ(PlistValue("99999999999999999999999").integerValue(), LLONG_MAX);
    EXPECT_EQ(PlistValue("-9223372036854775808").integerValue(), LLONG_MIN);
    EXPECT_DOUBLE_EQ(PlistValue(" 440.5Hz").doubleValue(), 440.5);
    EXPECT_DOUBLE_EQ(PlistValue("-0.25").doubleValue(), -0.25);
    EXPECT_DOUBLE_EQ(PlistValue("abc").doubleValue(), 0.0);
}

TEST(PlistValue, BoolValueOfStrings) {
    for (const char* yes : {"YES", "yes", "true", "True", "1", "007", " -1", "y"}) {
        EXPECT_TRUE(PlistValue(yes).boolValue()) << yes;
    }
    for (const char* no : {"NO", "no", "false", "0", "000", "", "  ", "-", "maybe"}) {
        EXPECT_FALSE(PlistValue(no).boolValue()) << no;
    }
}

TEST(PlistValue, NumbersConvertBetweenTypes) {
    EXPECT_EQ(PlistValue(3.99).intValue(), 3);
    EXPECT_EQ(PlistValue(-3.99).intValue(), -3);
    EXPECT_EQ(PlistValue(1e300).integerValue(), LLONG_MAX);
    EXPECT_EQ(PlistValue(true).intValue(), 1);
    EXPECT_TRUE(PlistValue(2).boolValue());
    EXPECT_FALSE(PlistValue(0.0).boolValue());
    EXPECT_EQ(PlistValue(42).stringValue(), "42");
    EXPECT_EQ(PlistValue(0.5).stringValue(), "0.5");
    EXPECT_EQ(PlistValue(true).stringValue(), "1");
    EXPECT_EQ(PlistValue().stringValue(), "");
    EXPECT_EQ(PlistValue::array({1, 2}).intValue(), 0);
}

TEST(PlistValue, DictionaryKeepsKeyOrderAndReplacesInPlace) {
    PlistValue dict =
        PlistValue::dictionary({{"name", "Standard"}, {"notes", PlistValue::array()}});
    dict.set("spelling", "E A D G B E");
    dict.set("name", "Drop D");
    EXPECT_EQ(dict.keys(), (std::vector<std::string>{"name", "notes", "spelling"}));
    EXPECT_EQ(dict["name"].stringValue(), "Drop D");
    EXPECT_TRUE(dict["missing"].isNull());
    EXPECT_TRUE(dict["missing"]["deeper"][3].isNull());
    EXPECT_TRUE(dict.remove("notes"));
    EXPECT_FALSE(dict.remove("notes"));
    EXPECT_EQ(dict.count(), 2u);
}

TEST(PlistValue, ContainersAreEmptyForOtherTypes) {
    PlistValue text("abc");
    text.set("key", 1);
    text.append(2);
    EXPECT_TRUE(text.isString());
    EXPECT_EQ(text.count(), 0u);
    EXPECT_TRUE(text[0].isNull());
    EXPECT_TRUE(text.arrayItems().empty());
    EXPECT_TRUE(text.dictionaryEntries().empty());

    PlistValue grown;
    grown.append("first");
    EXPECT_TRUE(grown.isArray());
    EXPECT_EQ(grown[0].stringValue(), "first");
    EXPECT_TRUE(grown[1].isNull());
}

TEST(PlistValue, EqualityIsDeep) {
    const PlistValue a = PlistValue::dictionary({{"k", PlistValue::array({1, "two", 3.0})}});
    PlistValue b = a;
    EXPECT_EQ(a, b);
    b.set("k", PlistValue::array({1, "two", 3}));
    EXPECT_NE(a, b); // 3.0 is a real, 3 an integer
}
