#include "foundation/Bundle.h"
#include "foundation/UserDefaults.h"
#include "locators/DFDealerSearch.h"
#include "locators/LocatorHttpClient.h"
#include "locators/MapServiceLinks.h"
#include "locators/TFTeacherSearch.h"
#include "services/DealerService.h"
#include "services/LocatorServiceAddresses.h"
#include "services/MapService.h"
#include "services/TeacherService.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace fretkit;

namespace {

const LocatorSampleDirectory& directory() {
    static const LocatorSampleDirectory loaded =
        LocatorSampleDirectory::load(Bundle::main(), nullptr).value_or(LocatorSampleDirectory({}));
    return loaded;
}

std::size_t dealersFound(bool international, const std::string& place) {
    const DFDealerSearch search(international, place, {}, true);
    std::size_t found = 0;
    for (const char* brand : DFDealerSearch::kBrandKeys) {
        const LocatorRequest request = search.request(brand, "http://h");
        const ServiceAnswer answer =
            DealerService(directory())
                .answer(request.url.substr(8), request.header("SOAPAction"), request.body);
        found += search.readAnswer(answer.body).size();
    }
    return found;
}

std::size_t teachersFound(const std::string& instrument, bool international,
                          const std::string& place) {
    const TFTeacherSearch search(instrument, international, place, {});
    const LocatorRequest request = search.request("http://h");
    return search
        .readAnswer(
            TeacherService(directory()).answer(request.header("SOAPAction"), request.body).body)
        .size();
}

std::vector<std::string> instruments() {
    std::vector<std::string> keys;
    const auto structure = Bundle::main().propertyList("TFMainController");
    for (const PlistValue& row : (*structure)[0]["contents"].arrayItems()) {
        keys.push_back(row["key"].stringValue());
    }
    return keys;
}

// The width and height a PNG's header gives.
std::pair<int, int> pngSize(const std::string& png) {
    const auto word = [&](std::size_t at) {
        int value = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            value = value * 256 + static_cast<unsigned char>(png[at + i]);
        }
        return value;
    };
    return png.size() > 24 ? std::pair{word(16), word(20)} : std::pair{0, 0};
}

} // namespace

TEST(SampleDirectory, EveryStateAndTheEditorsDefaultPostalCodeFindDealersAndTeachers) {
    std::set<std::string> states;
    for (const auto& [code, place] : directory().postalCodes().dictionaryEntries()) {
        SCOPED_TRACE(code);
        states.insert(place["state"].stringValue());
        EXPECT_GT(dealersFound(false, code), 0u);
        EXPECT_GT(teachersFound("Guitar", false, code), 0u);
    }
    EXPECT_EQ(states.size(), 51u); // the fifty states and the District of Columbia
    // Near the default, every instrument the teacher finder lists has a teacher.
    const std::vector<std::string> keys = instruments();
    ASSERT_FALSE(keys.empty());
    for (const std::string& instrument : keys) {
        EXPECT_GT(teachersFound(instrument, false, "45056"), 0u) << instrument;
    }
}

TEST(SampleDirectory, TheTwentyCountriesWithTheMostGuitaristsFindDealersAndTeachers) {
    const auto codes = Bundle::main().propertyList("BZCountryCodes");
    const auto names = Bundle::main().propertyList("BZCountryNames");
    ASSERT_TRUE(codes && names);
    for (const char* code : {"US", "BR", "MX", "IN", "CN", "JP", "DE", "GB", "FR", "IT",
                             "ES", "CA", "AU", "RU", "AR", "KR", "ID", "PH", "PL", "NL"}) {
        SCOPED_TRACE(code);
        EXPECT_GT(dealersFound(true, code), 0u);
        EXPECT_GT(teachersFound("Guitar", true, code), 0u); // from the locale
        // ... and by the name the location editor sends.
        std::string name;
        for (std::size_t i = 0; i < codes->count(); ++i) {
            if ((*codes)[i].stringValue() == code) {
                name = (*names)[i].stringValue();
            }
        }
        EXPECT_GT(teachersFound("Guitar", true, name), 0u) << name;
    }
}

TEST(SampleDirectory, AnUnlistedPostalCodeIsPlacedAtItsNearestListedNeighbour) {
    const LocatorSampleDirectory sample(PlistValue::dictionary(
        {{"postalCodes",
          PlistValue::dictionary(
              {{"45056", PlistValue::dictionary({{"latitude", 39.5}, {"longitude", -84.7}})},
               {"45202", PlistValue::dictionary({{"latitude", 39.1}, {"longitude", -84.5}})},
               {"10001", PlistValue::dictionary({{"latitude", 40.7}, {"longitude", -74.0}})}})}}));
    const auto latitude = [&](const char* code) {
        const auto place = sample.postalCode(code);
        return place ? place->latitude : -1.0;
    };
    EXPECT_EQ(latitude("45056"), 39.5);
    EXPECT_EQ(latitude("45001"), 39.5); // shares "450" with 45056, only "45" with 45202
    EXPECT_EQ(latitude("45299"), 39.1); // shares "452" with 45202
    EXPECT_EQ(latitude("44000"), 39.5); // both share "4": the numerically closer one
    EXPECT_EQ(latitude("02139"), 40.7); // nothing shared: the closest number
    for (const char* none : {"00000", "00499", "4505", "45a56", ""}) {
        EXPECT_FALSE(sample.postalCode(none)) << none;
    }
    // The map service places it too, so that distances from such a code still make sense.
    EXPECT_EQ(MapService(sample).geocode("45001", "csv").body, "200,8,39.500000,-84.700000");
}

TEST(MapService, DrawsASquareStreetMapOfTheAskedSize) {
    const MapService maps(directory());
    const ServiceAnswer picture = maps.image("40.1,-75.2", "0.002", "126");
    ASSERT_EQ(picture.status, 200);
    EXPECT_EQ(picture.contentType, "image/png");
    EXPECT_EQ(pngSize(picture.body), (std::pair{126, 126}));
    EXPECT_NE(maps.image("40.2,-75.2", "0.002", "126").body, picture.body); // another place
    for (const auto& [center, span, size] :
         std::initializer_list<std::tuple<const char*, const char*, const char*>>{
             {"95,0", "0.002", "63"},
             {"40.1", "0.002", "63"},
             {"40.1,-75.2", "0", "63"},
             {"40.1,-75.2", "0.002", "0"},
             {"40.1,-75.2", "0.002", "513"},
             {"40.1,-75.2", "0.002", "6.5"}}) {
        EXPECT_EQ(maps.image(center, span, size).status, 400) << center << span << size;
    }
}

TEST(LocatorServiceAddresses, ConfiguredAddressesWinAndTheEmbeddedServicesAnswerTheRest) {
    TempDir dir;
    UserDefaults defaults(dir.file("defaults.plist"));
    unsetenv(LocatorServices::kDealerVariable);
    unsetenv(LocatorServices::kTeacherVariable);
    unsetenv(LocatorServices::kMapVariable);
    defaults.setString("https://dealers.test/", LocatorServices::kDealerKey);
    LocatorServiceAddresses addresses;
    std::string error;
    const auto services = addresses.resolve(defaults, &error);
    ASSERT_TRUE(services) << error;
    EXPECT_EQ(services->dealers, "https://dealers.test");
    EXPECT_EQ(services->maps, services->teachers);
    // Started once: a second call answers the same embedded services, which serve over HTTP.
    EXPECT_EQ(addresses.resolve(defaults, &error)->maps, services->maps);
    const LocatorResponse page = LocatorHttpClient().send(
        {"GET", MapServiceLinks::imageURL(services->maps, {39.5, -84.7}, 63), {}, {}});
    EXPECT_EQ(pngSize(page.body), (std::pair{63, 63})) << page.error;

    defaults.setString("dealers.test", LocatorServices::kDealerKey);
    EXPECT_FALSE(addresses.resolve(defaults, &error));
    EXPECT_NE(error.find("not an http or https base address"), std::string::npos) << error;
}
