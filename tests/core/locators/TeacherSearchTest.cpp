#include "locators/SoapEnvelope.h"
#include "locators/TFTeacherSearch.h"

#include <gtest/gtest.h>

using fretkit::GeoCoordinate;
using fretkit::PlistValue;
using fretkit::SoapEnvelope;
using fretkit::TFTeacher;
using fretkit::TFTeacherSearch;

namespace {

struct Field {
    int code;
    std::string value;
};

std::string teacherXml(const std::vector<Field>& fields, const std::string& flags,
                       const std::string& geocode = "") {
    std::string xml = "<Teacher>" + flags + "<Data>";
    for (const Field& field : fields) {
        xml += "<DataRow><RegFieldId>" + std::to_string(field.code) +
               "</RegFieldId><RegFieldValueValue>" + field.value +
               "</RegFieldValueValue></DataRow>";
    }
    xml += "</Data>";
    if (!geocode.empty()) {
        xml += "<TeacherGeocode><Data><DataRow>" + geocode + "</DataRow></Data></TeacherGeocode>";
    }
    return xml + "</Teacher>";
}

const std::string kOk =
    "<TeacherActive>true</TeacherActive><TeacherApproved>true</TeacherApproved>";

std::vector<TFTeacher> read(const std::string& teachers, GeoCoordinate user = {40.0, -75.0}) {
    const TFTeacherSearch search("Guitar", false, "19103", user);
    return search.readAnswer(SoapEnvelope::wrap("<GetTeachersResponse><GetTeachersResult>" +
                                                teachers +
                                                "</GetTeachersResult></GetTeachersResponse>"));
}

} // namespace

TEST(TeacherRequest, BodiesAndHeadersAreExactWithEscapedInput) {
    const auto request = TFTeacherSearch("Bass & <Cello>", true, "DE", {}).request("http://t:81");
    EXPECT_EQ(request.url, "http://t:81/templates/service/wsqservice.asmx");
    EXPECT_EQ(request.body,
              SoapEnvelope::start() +
                  "<GetTeachers xmlns=\"http://t:81/\"><Instrument>Bass &amp; &lt;Cello&gt;"
                  "</Instrument><MusicStyles></MusicStyles><SkillLevel></SkillLevel><City></City>"
                  "<State></State><Zip></Zip><Country>DE</Country><Radius>-1</Radius>"
                  "</GetTeachers></soap:Body></soap:Envelope>");
    EXPECT_EQ(request.header("SOAPAction"), "http://t:81/GetTeachers");
    EXPECT_EQ(request.header("Content-Type"), "text/xml; charset=utf-8");
    EXPECT_EQ(request.header("Content-Length"), std::to_string(request.body.size()));

    const auto domestic = TFTeacherSearch("Guitar", false, "19103", {}).request("https://t");
    EXPECT_NE(domestic.body.find("<Zip>19103</Zip><Country>United States</Country>"
                                 "<Radius>50</Radius></GetTeachers>"),
              std::string::npos);
}

TEST(TeacherRows, OnlyActiveAndApprovedTeachersAreKept) {
    const auto teachers = read(
        teacherXml({{6, "Kept"}}, kOk) +
        teacherXml({{6, "Unapproved"}},
                   "<TeacherActive>true</TeacherActive><TeacherApproved>false</TeacherApproved>") +
        teacherXml({{6, "Inactive"}}, "<TeacherApproved>true</TeacherApproved>"));
    ASSERT_EQ(teachers.size(), 1u);
    EXPECT_EQ(teachers[0].firstName, "Kept");
}

TEST(TeacherRows, FieldCodesFillTheTeacherInDocumentOrder) {
    const auto teachers = read(teacherXml({{6, "Ada"},
                                           {4, "Quill"},
                                           {9, "1 Elm St"},
                                           {10, "Springfield"},
                                           {11, "PA"},
                                           {12, "19000"},
                                           {50, "United States"},
                                           {43, "call me"},
                                           {14, "$40/h"},
                                           {32, "Guitar"},
                                           {32, "Banjo"},
                                           {99, "ignored"},
                                           {13, ""}},
                                          kOk));
    ASSERT_EQ(teachers.size(), 1u);
    const TFTeacher& t = teachers[0];
    EXPECT_EQ(t.fullName(), "Ada Quill");
    EXPECT_EQ(t.address(), "1 Elm St\nSpringfield, PA 19000\nUnited States");
    EXPECT_EQ(t.rate, "$40/h"); // code 43 gave "Contact", the later 14 overwrote it
    EXPECT_EQ(t.instruments, (std::vector<std::string>{"Guitar", "Banjo"}));
    EXPECT_TRUE(t.valueForKey("phone").isNull());
    EXPECT_TRUE(t.valueForKey("styles").isNull());
    EXPECT_EQ(t.valueForKey("instruments"), PlistValue::array({"Guitar", "Banjo"}));

    const auto contact = read(teacherXml({{14, "$40/h"}, {43, "whatever"}}, kOk));
    EXPECT_EQ(contact[0].rate, "Contact");
}

TEST(TeacherRows, WebsitesGetAPrefixOnlyWithoutAScheme) {
    const auto teachers = read(teacherXml({{6, "A"}, {18, "www.a.test"}}, kOk) +
                               teacherXml({{6, "B"}, {18, "http://b.test"}}, kOk) +
                               teacherXml({{6, "C"}, {18, "https://c.test"}}, kOk) +
                               teacherXml({{6, "D"}, {18, "javascript:alert(1)"}}, kOk));
    ASSERT_EQ(teachers.size(), 4u);
    EXPECT_EQ(teachers[0].website, "http://www.a.test");
    EXPECT_EQ(teachers[1].website, "http://b.test");
    EXPECT_EQ(teachers[2].website, "https://c.test");
    EXPECT_EQ(teachers[2].websiteURL(), "https://c.test");
    // Without "://" the value is a host to the prefixing rule; it is only ever opened as http.
    EXPECT_EQ(teachers[3].website, "http://javascript:alert(1)");
}

TEST(TeacherRows, DistancesNeedBothPlacesAndZeroLatitudeAloneIsAPlace) {
    const std::string near =
        teacherXml({{6, "Near"}}, kOk, "<Latitude>40.5</Latitude><Longitude>-75.0</Longitude>");
    const std::string far =
        teacherXml({{6, "Far"}}, kOk, "<Latitude>45.0</Latitude><Longitude>-75.0</Longitude>");
    const std::string nowhere = teacherXml({{6, "Nowhere"}}, kOk);

    const auto sorted = read(nowhere + far + near);
    ASSERT_EQ(sorted.size(), 3u);
    EXPECT_EQ(sorted[0].firstName, "Near");
    EXPECT_EQ(sorted[1].firstName, "Far");
    // A teacher without a geocode has no distance, rather than one to latitude 0, longitude 0.
    EXPECT_EQ(sorted[2].firstName, "Nowhere");
    EXPECT_EQ(sorted[2].distance(), GeoCoordinate::kUnknownDistance);

    const auto equator = read(near, {0.0, -75.0});
    EXPECT_NEAR(equator[0].distance(), 40.5 * 0.017453292519943295, 1e-9);

    const auto unknown = read(far + near, {0.0, 0.0});
    EXPECT_EQ(unknown[0].firstName, "Far"); // equal distances keep the answer's order
    EXPECT_EQ(unknown[0].distance(), GeoCoordinate::kUnknownDistance);
}
