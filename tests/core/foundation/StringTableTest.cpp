#include "foundation/StringTable.h"

#include <gtest/gtest.h>

using fretkit::PlistValue;
using fretkit::StringTable;

TEST(StringTable, MissingKeysFallBackToTheValueThenTheKey) {
    const StringTable table(
        PlistValue::dictionary({{"BZAlert_yes", "Yes"}, {"empty", ""}, {"number", 3}}));
    EXPECT_EQ(table.localizedString("BZAlert_yes"), "Yes");
    EXPECT_EQ(table.localizedString("BZAlert_yes", "ignored"), "Yes");
    EXPECT_EQ(table.localizedString("empty", "fallback"), "");
    EXPECT_EQ(table.localizedString("BZAlert_no", "No"), "No");
    EXPECT_EQ(table.localizedString("BZAlert_no"), "BZAlert_no");
    EXPECT_EQ(table.localizedString("number", "n"), "n"); // only texts are entries
    EXPECT_EQ(table.size(), 2u);
}
