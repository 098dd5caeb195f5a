#include "chords/CHChordChoice.h"

#include "chords/CHSettings.h"
#include "foundation/UserDefaults.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using fretkit::CHChordChoice;
using fretkit::UserDefaults;

namespace {

struct Settings {
    TempDir dir;
    UserDefaults defaults{dir.file("defaults.plist")};
    Settings() { CHSettings::registerDefaults(defaults); }
};

} // namespace

TEST(CHChordChoice, OffersFifteenRootsFourFamiliesAndTheChosenFamilysVariants) {
    Settings settings;
    const CHChordChoice choice(settings.defaults);
    EXPECT_EQ(choice.chordName(), "E Maj triad");
    ASSERT_EQ(choice.numberOfRows(CHChordChoice::kRootColumn), 15);
    std::string roots;
    for (int row = 0; row < 15; ++row) {
        roots += choice.titleForRow(row, CHChordChoice::kRootColumn) + " ";
    }
    EXPECT_EQ(roots, "Ab A Bb B Cb C C# Db D Eb E F F# Gb G ");
    EXPECT_EQ(choice.selectedRow(CHChordChoice::kRootColumn), 10);
    EXPECT_EQ(choice.titleForRow(3, CHChordChoice::kFamilyColumn), "Dim");
    EXPECT_EQ(choice.numberOfRows(CHChordChoice::kVariantColumn), 16); // 0-18 less 8, 10, 13
    EXPECT_EQ(choice.titleForRow(9, CHChordChoice::kVariantColumn), "7 #11");
    EXPECT_EQ(choice.titleForRow(16, CHChordChoice::kVariantColumn), "");

    EXPECT_EQ(CHChordChoice::indexOfIndex(CHChordChoice::roots(), 2), CHChordChoice::kNotFound);
    EXPECT_EQ(CHChordChoice::indexAtIndex(CHChordChoice::roots(), 14), 19u);
    EXPECT_EQ(CHChordChoice::indexAtIndex(CHChordChoice::roots(), 15), CHChordChoice::kNotFound);
}

// A root or variant the picker does not offer (an old or edited settings file) would leave
// the picker showing another chord than the one loaded: the default stands in for it.
TEST(CHChordChoice, StoredValuesThePickerDoesNotOfferGiveWayToTheDefault) {
    Settings settings;
    for (const auto& [root, variant] :
         std::vector<std::pair<int, int>>{{2, 62}, {-4, 8}, {99, 1000}, {5, -1}}) {
        settings.defaults.setInteger(root, CHSettings::kRootKey);
        settings.defaults.setInteger(variant, CHSettings::kVariantKey);
        const CHChordChoice choice(settings.defaults);
        EXPECT_EQ(choice.root(), 13u) << root;
        EXPECT_EQ(choice.variant(), 0u) << variant;
        EXPECT_EQ(choice.family(), 0u);
    }
    settings.defaults.setInteger(16, CHSettings::kRootKey);
    settings.defaults.setInteger(65, CHSettings::kVariantKey);
    CHChordChoice choice(settings.defaults);
    EXPECT_EQ(choice.chordName(), "F Dim 7 add9");
    EXPECT_EQ(choice.selectedRow(CHChordChoice::kVariantColumn), 1);
}
