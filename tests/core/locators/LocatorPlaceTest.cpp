#include "locators/LocatorPlace.h"

#include "foundation/UserDefaults.h"
#include "locators/LocatorFailure.h"
#include "locators/MapServiceLinks.h"
#include "locators/SoapEnvelope.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace fretkit;

TEST(LocatorPlace, TheChosenPlaceIsKeptInTheSettingsForTheNextRun) {
    TempDir dir;
    const std::string path = dir.file("defaults.plist");
    {
        UserDefaults defaults(path);
        EXPECT_FALSE(LocatorPlace::stored(defaults)); // nothing chosen yet
        LocatorPlace{true, "DE", "Germany"}.store(defaults);
    }
    UserDefaults reopened(path);
    EXPECT_EQ(LocatorPlace::stored(reopened), (LocatorPlace{true, "DE", "Germany"}));

    // Back to a postal code: the country name does not linger.
    LocatorPlace{false, "02139", {}}.store(reopened);
    EXPECT_EQ(LocatorPlace::stored(reopened), (LocatorPlace{false, "02139", {}}));
    EXPECT_TRUE(reopened.objectForKey(LocatorPlace::kCountryNameKey).isNull());

    // A damaged or hand-edited value is no place: the screens ask again instead of searching
    // for nonsense.
    for (const auto& [international, code] : std::initializer_list<std::pair<bool, const char*>>{
             {false, "2139"}, {false, "0213a"}, {true, "DEU"}, {true, "1E"}}) {
        reopened.setBool(international, LocatorPlace::kInternationalKey);
        reopened.setString(code, LocatorPlace::kCodeKey);
        EXPECT_FALSE(LocatorPlace::stored(reopened)) << code;
    }
    reopened.setString("fr", LocatorPlace::kCodeKey);
    EXPECT_EQ(LocatorPlace::stored(reopened)->code, "FR");
}

TEST(LocatorPlace, TheLocaleDecidesOnlyForCountriesOtherThanTheUnitedStates) {
    EXPECT_EQ(LocatorPlace::fromLocale("de"), (LocatorPlace{true, "DE", {}}));
    EXPECT_FALSE(LocatorPlace::fromLocale("US")); // searched by postal code: the user chooses it
    EXPECT_FALSE(LocatorPlace::fromLocale(""));   // the "C" locale names no country
    EXPECT_FALSE(LocatorPlace::fromLocale("419"));

    // The teacher service hears the name the user chose, or the locale's code.
    EXPECT_EQ((LocatorPlace{true, "KR", "South Korea"}).teacherCountry(), "South Korea");
    EXPECT_EQ(LocatorPlace::fromLocale("kr")->teacherCountry(), "KR");
}

TEST(MapServiceLinks, APictureIsAskedForByCentreSpanAndSize) {
    EXPECT_EQ(MapServiceLinks::imageURL("http://m:1", {40.1, -75.2}, 126),
              "http://m:1/maps/image?ll=40.100000,-75.200000&spn=0.002&size=126");
}

TEST(LocatorFailure, SaysWhyAnAnswerCannotBeUsed) {
    EXPECT_EQ(LocatorFailure::of({200, "<ok/>", ""}), "");
    EXPECT_EQ(LocatorFailure::of({0, "", "could not connect to http://h:1"}),
              "could not connect to http://h:1");
    EXPECT_EQ(LocatorFailure::of({500, SoapEnvelope::fault("soap:Server", "Listings offline"), ""}),
              "the service answered HTTP 500: Listings offline");
    EXPECT_EQ(LocatorFailure::of({404, "<html>gone</html>", ""}), "the service answered HTTP 404");
}
