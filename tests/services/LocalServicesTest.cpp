#include "foundation/Bundle.h"
#include "locators/DFDealer.h"
#include "locators/DFDealerSearch.h"
#include "locators/TFTeacherSearch.h"
#include "services/DealerService.h"
#include "services/MapService.h"
#include "services/TeacherService.h"

#include <gtest/gtest.h>

using namespace fretkit;

namespace {

const LocatorSampleDirectory& directory() {
    static const LocatorSampleDirectory loaded = [] {
        std::string error;
        auto sample = LocatorSampleDirectory::load(Bundle::main(), &error);
        EXPECT_TRUE(sample) << error;
        return sample ? std::move(*sample) : LocatorSampleDirectory(PlistValue());
    }();
    return loaded;
}

std::vector<PlistValue> search(const DFDealerSearch& search, const char* brand) {
    const LocatorRequest request = search.request(brand, "http://127.0.0.1:1");
    const ServiceAnswer answer =
        DealerService(directory())
            .answer(request.url.substr(std::string("http://127.0.0.1:1").size()),
                    request.header("SOAPAction"), request.body);
    EXPECT_EQ(answer.status, 200) << answer.body;
    return search.readAnswer(answer.body);
}

} // namespace

TEST(DealerService, AnswersCountryAndPostalCodeSearchesThatTheLocatorReads) {
    const auto germany = search(DFDealerSearch(true, "de", {}, true), "Temba");
    for (const PlistValue& dealer : germany) {
        EXPECT_EQ(dealer["ALCOCD"].stringValue(), "DE");
    }
    std::size_t found = 0;
    for (const char* brand : DFDealerSearch::kBrandKeys) {
        const auto near = search(DFDealerSearch(false, "19103", {39.95, -75.17}, true), brand);
        for (const PlistValue& dealer : near) {
            EXPECT_EQ(dealer["ALCOCD"].stringValue(), "US");
            EXPECT_LT(dealer["distanceValue"].doubleValue(), 200.0 / 6371.0);
        }
        found += near.size();
    }
    EXPECT_GT(found, 7u); // the shop that sells every brand appears in each answer
    EXPECT_TRUE(search(DFDealerSearch(false, "00000", {}, true), "Temba").empty());
}

TEST(DealerService, BadRequestsAreSoapFaultsWithStatus500) {
    const DealerService service(directory());
    const auto request = DFDealerSearch(true, "DE", {}, true).request("Temba", "http://h");
    const std::string path = DFDealerSearch::kInternationalPath;
    const std::string action = request.header("SOAPAction");
    const std::vector<ServiceAnswer> faults = {
        service.answer(path, action, "<not xml"),
        service.answer(path, action, "<soap:Envelope><soap:Body/></soap:Envelope>"),
        service.answer(path, "http://h/GetDunmoorDealers", request.body),
        service.answer(DFDealerSearch::kDomesticPath, action, request.body),
        service.answer("/elsewhere", action, request.body),
        service.answer(path, action,
                       DFDealerSearch(true, "", {}, true).request("Temba", "http://h").body)};
    for (const ServiceAnswer& fault : faults) {
        EXPECT_EQ(fault.status, 500);
        EXPECT_NE(fault.body.find("<soap:Fault><faultcode>soap:Client</faultcode>"),
                  std::string::npos)
            << fault.body;
    }
}

TEST(TeacherService, AnswersByInstrumentAndPlaceAndServesThumbnails) {
    const TeacherService service(directory());
    const auto ask = [&](const TFTeacherSearch& search) {
        const LocatorRequest request = search.request("http://127.0.0.1:1");
        const ServiceAnswer answer = service.answer(request.header("SOAPAction"), request.body);
        EXPECT_EQ(answer.status, 200) << answer.body;
        return search.readAnswer(answer.body);
    };
    const auto nearby = ask(TFTeacherSearch("guitar", false, "19103", {39.95, -75.17}));
    ASSERT_FALSE(nearby.empty());
    for (const TFTeacher& teacher : nearby) {
        EXPECT_NE(std::find(teacher.instruments.begin(), teacher.instruments.end(), "Guitar"),
                  teacher.instruments.end());
        EXPECT_LT(teacher.distance() * GeoCoordinate::kEarthRadiusMiles, 50.0);
    }
    // By code or by name, as the locale and the location editor send them.
    const auto byCode = ask(TFTeacherSearch("Guitar", true, "DE", {}));
    const auto byName = ask(TFTeacherSearch("Guitar", true, "Germany", {}));
    EXPECT_EQ(byCode.size(), byName.size());

    std::size_t photos = 0;
    for (const PlistValue& teacher : directory().teachers().arrayItems()) {
        if (teacher.contains("imageName")) {
            const ServiceAnswer image = service.thumbnail(teacher["imageName"].stringValue());
            EXPECT_EQ(image.body.substr(0, 8), "\x89PNG\r\n\x1a\n");
            ++photos;
        }
    }
    EXPECT_GT(photos, 0u);
    EXPECT_EQ(service.thumbnail("../LocatorSampleDirectory.plist").status, 404);
    EXPECT_EQ(service.answer("x/GetTeachers", "<GetTeachers/>").status, 500);
}

TEST(MapService, GeocodesTheDirectorysPlacesInTheLocatorsFormat) {
    const MapService maps(directory());
    const DFDealer dealer(directory().dealers()[0]);
    const auto found =
        DFDealer::coordinateFromGeocodeAnswer(maps.geocode(dealer.queryText(), "csv").body);
    ASSERT_TRUE(found);
    EXPECT_DOUBLE_EQ(found->latitude, dealer.record()["LATTEX"].doubleValue());
    EXPECT_EQ(maps.geocode("Atlantis", "csv").body, "602,0,0,0");
    EXPECT_EQ(maps.geocode(" ", "csv").body, "601,0,0,0");
    EXPECT_EQ(maps.geocode("19103", "json").status, 400);
    const ServiceAnswer page = maps.page("<script>x</script>");
    EXPECT_EQ(page.body.find("<script>"), std::string::npos);
}
