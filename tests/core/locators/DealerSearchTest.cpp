#include "locators/DFDealerList.h"
#include "locators/DFDealerSearch.h"
#include "locators/SoapEnvelope.h"

#include <gtest/gtest.h>

using fretkit::DFDealerList;
using fretkit::DFDealerSearch;
using fretkit::GeoCoordinate;
using fretkit::PlistValue;
using fretkit::SoapEnvelope;

namespace {

const char* kPrefix = "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope "
                      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                      "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
                      "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>";

std::string answer(const std::string& rowElement, const std::vector<std::string>& rows) {
    std::string body = "<GetTembaDealersResponse><GetTembaDealersResult><NewDataSet>";
    for (const std::string& row : rows) {
        body += "<" + rowElement + ">" + row + "</" + rowElement + ">";
    }
    return SoapEnvelope::wrap(body +
                              "</NewDataSet></GetTembaDealersResult></GetTembaDealersResponse>");
}

} // namespace

TEST(DealerRequest, InternationalAndDomesticBodiesAndHeadersAreExact) {
    const DFDealerSearch international(true, "DE", {}, true);
    const auto request = international.request("Temba", "https://dealers.test:8443");
    const std::string ns = "http://dealers.test:8443/DealerWebServices/IntDealerSearch.asmx";
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.url, "https://dealers.test:8443/DealerWebServices/IntDealerSearch.asmx");
    EXPECT_EQ(request.body, std::string(kPrefix) + "<GetTembaDealers xmlns=\"" + ns +
                                "\"><strCountry>DE</strCountry></GetTembaDealers>"
                                "</soap:Body></soap:Envelope>");
    EXPECT_EQ(request.header("Content-Type"), "text/xml; charset=utf-8");
    EXPECT_EQ(request.header("SOAPAction"), ns + "/GetTembaDealers");
    EXPECT_EQ(request.header("Content-Length"), std::to_string(request.body.size()));

    const DFDealerSearch domestic(false, "19103", {}, false);
    const auto zip = domestic.request("Quillon", "http://127.0.0.1:4000");
    const std::string zipNs = "http://127.0.0.1:4000/DealerWebServices/DomesticDealerSearch.asmx";
    EXPECT_EQ(zip.url, zipNs);
    EXPECT_EQ(zip.body, std::string(kPrefix) + "<GetQuillonDealersByZipCode xmlns=\"" + zipNs +
                            "\"><strZipCode>19103</strZipCode></GetQuillonDealersByZipCode>"
                            "</soap:Body></soap:Envelope>");
    EXPECT_EQ(zip.header("SOAPAction"), zipNs + "/GetQuillonDealersByZipCode");
}

TEST(DealerRequest, InputCannotChangeTheRequestStructure) {
    const DFDealerSearch search(false, "1</strZipCode><x>&\"'\x01", {}, true);
    const auto request = search.request("Temba", "http://h");
    EXPECT_NE(request.body.find("<strZipCode>1&lt;/strZipCode&gt;&lt;x&gt;&amp;&quot;&apos;"
                                "</strZipCode>"),
              std::string::npos)
        << request.body;
    // Multi-byte UTF-8 counts in bytes.
    const auto utf8 = DFDealerSearch(true, "Österreich", {}, true).request("Temba", "http://h");
    EXPECT_EQ(utf8.header("Content-Length"), std::to_string(utf8.body.size()));
}

TEST(DealerAnswer, RowsAreTrimmedAndGetDistancesInTheLocalesUnit) {
    const std::string body = answer(
        "DSEARCHZIP", {"<ALCLTX>\t Fret Hut \t</ALCLTX><LATTEX>41.0</LATTEX>"
                       "<LNGTEX>-75.0</LNGTEX>",
                       "<ALCLTX>No Place</ALCLTX>",
                       "<ALCLTX>Bad Place</ALCLTX><LATTEX>north</LATTEX><LNGTEX>3</LNGTEX>"});
    const GeoCoordinate user{40.0, -75.0};
    const auto metric = DFDealerSearch(false, "19103", user, true).readAnswer(body);
    ASSERT_EQ(metric.size(), 3u);
    EXPECT_EQ(metric[0]["ALCLTX"].stringValue(), "Fret Hut");
    EXPECT_EQ(metric[0]["distanceText"].stringValue(), "111.2 km");
    EXPECT_NEAR(metric[0]["distanceValue"].doubleValue(), 0.017453292519943295, 1e-12);
    for (const std::size_t unknown : {1u, 2u}) {
        EXPECT_FALSE(metric[unknown].contains("distanceText"));
        EXPECT_EQ(metric[unknown]["distanceValue"].doubleValue(), GeoCoordinate::kUnknownDistance);
    }
    const auto imperial = DFDealerSearch(false, "19103", user, false).readAnswer(body);
    EXPECT_EQ(imperial[0]["distanceText"].stringValue(), "69.1 mi");
}

TEST(DealerAnswer, UnknownUserPositionOrZeroLatitudeGivesNoDistance) {
    const std::string body =
        answer("Table", {"<ALCLTX>A</ALCLTX><LATTEX>48.1</LATTEX><LNGTEX>11.5</LNGTEX>"});
    for (const GeoCoordinate user : {GeoCoordinate{0, 0}, GeoCoordinate{0, 11.0}}) {
        const auto records = DFDealerSearch(true, "DE", user, true).readAnswer(body);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_FALSE(records[0].contains("distanceText"));
        EXPECT_EQ(records[0]["distanceValue"].doubleValue(), GeoCoordinate::kUnknownDistance);
    }
}

TEST(DealerAnswer, OnlyTheSearchesRowElementCountsAndMalformedAnswersKeepTheirRows) {
    const std::string rows = answer("Table", {"<ALCLTX>A</ALCLTX>"});
    EXPECT_EQ(DFDealerSearch(false, "19103", {}, true).readAnswer(rows).size(), 0u);
    std::string error;
    const auto partial = DFDealerSearch(true, "DE", {}, true)
                             .readAnswer("<r><Table><ALCLTX>A</ALCLTX></Table><Table><ALC", &error);
    EXPECT_EQ(partial.size(), 2u);
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(DFDealerSearch(true, "DE", {}, true).readAnswer("").empty());
}

TEST(DealerList, EqualRecordsAcrossBrandsAreListedOnceAndTheListSortsStably) {
    const PlistValue far = PlistValue::dictionary({{"ALCLTX", "Far"}, {"distanceValue", 0.5}});
    const PlistValue near = PlistValue::dictionary({{"ALCLTX", "Near"}, {"distanceValue", 0.1}});
    const PlistValue unknownA = PlistValue::dictionary(
        {{"ALCLTX", "A"}, {"distanceValue", GeoCoordinate::kUnknownDistance}});
    const PlistValue unknownB = PlistValue::dictionary(
        {{"ALCLTX", "B"}, {"distanceValue", GeoCoordinate::kUnknownDistance}});
    // The same fields in another order are the same record; one different field is not.
    const PlistValue nearReordered =
        PlistValue::dictionary({{"distanceValue", 0.1}, {"ALCLTX", "Near"}});
    const PlistValue nearOtherPhone =
        PlistValue::dictionary({{"ALCLTX", "Near"}, {"distanceValue", 0.1}, {"ALCRTX", "555"}});

    DFDealerList list;
    list.merge({unknownA, far});
    list.merge({unknownB, nearReordered, near, nearOtherPhone});
    std::vector<std::string> names;
    for (const PlistValue& dealer : list.dealers()) {
        names.push_back(dealer["ALCLTX"].stringValue() + (dealer.contains("ALCRTX") ? "+" : ""));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Near", "Near+", "Far", "A", "B"}));
}

TEST(SoapFault, FaultEnvelopesCarryAnEscapedMessageThatReadsBack) {
    const std::string fault = SoapEnvelope::fault("soap:Client", "bad <input> & more");
    EXPECT_EQ(SoapEnvelope::faultString(fault), "bad <input> & more");
    EXPECT_EQ(SoapEnvelope::faultString("<html>oops</html>"), "");
}
