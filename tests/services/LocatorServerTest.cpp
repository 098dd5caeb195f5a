#include "services/LocatorServer.h"

#include "foundation/Bundle.h"
#include "locators/DFDealer.h"
#include "locators/DFDealerList.h"
#include "locators/DFDealerSearch.h"
#include "locators/LocatorHttpClient.h"
#include "locators/TFTeacherSearch.h"

#include <future>
#include <gtest/gtest.h>

using namespace fretkit;

namespace {

std::unique_ptr<LocatorServer> startServer() {
    auto directory = LocatorSampleDirectory::load(Bundle::main(), nullptr);
    if (!directory) {
        return nullptr;
    }
    auto server = std::make_unique<LocatorServer>(std::move(*directory));
    std::string error;
    EXPECT_TRUE(server->start(0, &error)) << error;
    return server;
}

} // namespace

TEST(LocatorServer, ServesAllThreeServicesOverHttpToConcurrentRequests) {
    const auto server = startServer();
    ASSERT_TRUE(server);
    const std::string base = server->baseAddress();
    const LocatorHttpClient client;

    // The seven brand searches in flight together, merged as they come back.
    const DFDealerSearch search(false, "19103", {39.95, -75.17}, false);
    std::vector<std::future<LocatorResponse>> answers;
    for (const char* brand : DFDealerSearch::kBrandKeys) {
        answers.push_back(std::async(
            std::launch::async, [&, brand] { return client.send(search.request(brand, base)); }));
    }
    DFDealerList list;
    for (auto& answer : answers) {
        const LocatorResponse response = answer.get();
        ASSERT_TRUE(response.succeeded()) << response.error << response.status;
        list.merge(search.readAnswer(response.body));
    }
    ASSERT_FALSE(list.empty());
    EXPECT_NE(list.dealers().front()["distanceText"].stringValue().find(" mi"), std::string::npos);

    const DFDealer first(list.dealers().front());
    const LocatorResponse geocode = client.send({"GET", first.geocodeURL(base), {}, {}});
    EXPECT_TRUE(DFDealer::coordinateFromGeocodeAnswer(geocode.body)) << geocode.body;

    const TFTeacherSearch teachers("Guitar", true, "United States", {});
    const LocatorResponse found = client.send(teachers.request(base));
    ASSERT_TRUE(found.succeeded()) << found.error;
    const auto list2 = teachers.readAnswer(found.body);
    ASSERT_FALSE(list2.empty());
    for (const TFTeacher& teacher : list2) {
        if (!teacher.imageName.empty()) {
            const LocatorResponse photo = client.send({"GET", teacher.photoURL(base), {}, {}});
            EXPECT_EQ(photo.status, 200);
            EXPECT_EQ(photo.body.substr(1, 3), "PNG");
        }
    }
}

TEST(LocatorServer, RefusesOversizedRequestsAndStopsCleanly) {
    auto server = startServer();
    ASSERT_TRUE(server);
    LocatorRequest huge =
        DFDealerSearch(true, std::string(2 * LocatorServer::kMaxRequestBytes, 'x'), {}, true)
            .request("Temba", server->baseAddress());
    const LocatorResponse refused = LocatorHttpClient().send(huge);
    EXPECT_FALSE(refused.succeeded());
    const std::string base = server->baseAddress();
    server->stop();
    const LocatorResponse gone = LocatorHttpClient().send({"GET", base + "/maps?q=x", {}, {}});
    EXPECT_EQ(gone.status, 0);
    EXPECT_NE(gone.error.find("could not connect"), std::string::npos) << gone.error;
}

TEST(LocatorHttpClient, AnswersLargerThanTheLimitFail) {
    const auto server = startServer();
    ASSERT_TRUE(server);
    const LocatorHttpClient small(std::chrono::seconds(5), 64);
    const LocatorResponse response =
        small.send({"GET", server->baseAddress() + "/maps?q=19103", {}, {}});
    EXPECT_FALSE(response.succeeded());
    EXPECT_NE(response.error.find("larger than 64 bytes"), std::string::npos) << response.error;
    EXPECT_NE(LocatorHttpClient().send({"GET", "ftp://x/y", {}, {}}).error, "");
}
