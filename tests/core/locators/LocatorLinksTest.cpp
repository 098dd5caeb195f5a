#include "locators/CurrentLocale.h"
#include "locators/DFDealer.h"
#include "locators/GeoCoordinate.h"
#include "locators/LocatorServices.h"
#include "locators/TFTeacher.h"
#include "locators/URLText.h"

#include <gtest/gtest.h>

using fretkit::CurrentLocale;
using fretkit::DFDealer;
using fretkit::GeoCoordinate;
using fretkit::LocatorServices;
using fretkit::PlistValue;
using fretkit::TFTeacher;
using fretkit::URLText;

TEST(GeocodeAnswer, OnlyStatus200WithFourNumericPartsGivesACoordinate) {
    const auto found = DFDealer::coordinateFromGeocodeAnswer("200,8,40.1,-75.2\n");
    ASSERT_TRUE(found);
    EXPECT_DOUBLE_EQ(found->latitude, 40.1);
    EXPECT_DOUBLE_EQ(found->longitude, -75.2);
    for (const char* answer : {"602,0,0,0", "200,8,40.1", "", "200,8,north,east", "<html>"}) {
        EXPECT_FALSE(DFDealer::coordinateFromGeocodeAnswer(answer)) << answer;
    }
}

TEST(DealerLinks, AddressTextQueryAndLinksAreBuiltAndEscaped) {
    DFDealer dealer(PlistValue::dictionary({{"ALCMTX", "12 Rue & Co"},
                                            {"ALCPTX", "Lyon"},
                                            {"ALBYCD", "ARA"},
                                            {"ALCOCD", "FR"},
                                            {"ALCRTX", "+33 4 00 00"},
                                            {"HPAGEX", "ftp://files.test"}}));
    EXPECT_EQ(dealer.addressText(), "12 Rue & Co\nLyon, ARA\nFR"); // no trailing space
    EXPECT_EQ(dealer.geocodeURL("http://m:1"),
              "http://m:1/maps/geo?q=12%20Rue%20%26%20Co%20Lyon%20ARA&output=csv");
    EXPECT_EQ(dealer.mapURL("http://m:1"), "http://m:1/maps?q=12%20Rue%20%26%20Co%20Lyon%20ARA");
    EXPECT_EQ(dealer.phoneURL(), "tel:+33%204%2000%2000");
    EXPECT_FALSE(dealer.webURL()); // only http and https pages are opened

    DFDealer withSecondLine(PlistValue::dictionary(
        {{"ALCMTX", "1 Main"}, {"ALCNTX", "Suite 2"}, {"HPAGEX", "https://shop.test/x"}}));
    EXPECT_EQ(withSecondLine.addressText(), "1 Main Suite 2\n, \n");
    EXPECT_EQ(withSecondLine.webURL(), "https://shop.test/x");
}

TEST(TeacherLinks, MailPhoneMapAndPhotoAreEscapedAsUtf8) {
    TFTeacher teacher;
    teacher.email = "ada?subject=x@lessons.test";
    teacher.phone = "(555) 010";
    teacher.setAddress("Größe 1");
    teacher.city = "Köln";
    teacher.imageName = "../a b.png";
    EXPECT_EQ(teacher.emailURL(), "mailto:ada%3Fsubject%3Dx@lessons.test");
    EXPECT_EQ(teacher.phoneURL(), "tel:%28555%29%20010");
    EXPECT_EQ(teacher.mapURL("http://m"),
              "http://m/maps?q=Gr%C3%B6%C3%9Fe%201%0AK%C3%B6ln%2C%20%20%0A%20K%C3%B6ln%20");
    EXPECT_EQ(teacher.photoURL("http://t"), "http://t/upload/profile_images/thumbs/..%2Fa%20b.png");
}

TEST(LocatorText, DistancesCoordinatesAndLocales) {
    EXPECT_EQ(GeoCoordinate::distanceText(0.1, true), "637.1 km");
    EXPECT_EQ(GeoCoordinate::distanceText(0.1, false), "395.9 mi");
    EXPECT_TRUE(GeoCoordinate::parse("40.1,-75.2"));
    for (const char* bad : {"40.1", "91,0", "0,181", "a,b", "1,2,3", ""}) {
        EXPECT_FALSE(GeoCoordinate::parse(bad)) << bad;
    }
    EXPECT_EQ(CurrentLocale::territoryOf("en_US.UTF-8"), "US");
    EXPECT_EQ(CurrentLocale::territoryOf("de_DE@euro"), "DE");
    EXPECT_EQ(CurrentLocale::territoryOf("C"), "");
    EXPECT_TRUE(URLText::hasScheme("HTTPS://x"));
    EXPECT_FALSE(URLText::hasScheme("www.x.test/a://b"));
    EXPECT_FALSE(URLText::isWebURL("http://"));
    EXPECT_FALSE(URLText::isWebURL("http://a b"));
}

TEST(LocatorServices, BaseAddressesAreCheckedAndNormalized) {
    std::string error;
    EXPECT_EQ(LocatorServices::normalized("https://dealers.test/", &error), "https://dealers.test");
    EXPECT_FALSE(LocatorServices::normalized("dealers.test", &error));
    EXPECT_NE(error.find("dealers.test"), std::string::npos);
    EXPECT_FALSE(LocatorServices::normalized("http://h/?x=1", &error));
    LocatorServices services{"http://d", "", ""};
    services.fillMissing("http://127.0.0.1:9");
    EXPECT_EQ(services.dealers, "http://d");
    EXPECT_EQ(services.maps, "http://127.0.0.1:9");
}
