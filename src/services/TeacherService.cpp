#include "TeacherService.h"

#include "ThumbnailImage.h"
#include "locators/SoapEnvelope.h"
#include "locators/URLText.h"
#include "xml/QVXMLParser.h"

namespace fretkit {

namespace {

// The field codes of the teacher service, by the directory's names.
constexpr std::pair<const char*, int> kTextFields[] = {
    {"lastName", 4},       {"firstName", 6},   {"email", 7},   {"address", 9}, {"city", 10},
    {"state", 11},         {"postalCode", 12}, {"phone", 13},  {"rate", 14},   {"website", 18},
    {"yearsTeaching", 26}, {"imageName", 42},  {"country", 50}};
constexpr std::pair<const char*, int> kListFields[] = {
    {"instruments", 32}, {"styles", 33}, {"skillLevels", 34}, {"ageGroups", 35}};

std::string dataRow(int code, const std::string& value) {
    return "<DataRow><RegFieldId>" + std::to_string(code) + "</RegFieldId><RegFieldValueValue>" +
           URLText::xmlEscape(value) + "</RegFieldValueValue></DataRow>";
}

std::string flag(const char* name, bool value) {
    return std::string("<") + name + ">" + (value ? "true" : "false") + "</" + name + ">";
}

std::string teacherXml(const PlistValue& teacher, std::size_t index) {
    std::string xml = "<Teacher><TeacherId>" + std::to_string(index + 1) + "</TeacherId>" +
                      flag("TeacherActive", teacher["active"].boolValue()) +
                      flag("TeacherApproved", teacher["approved"].boolValue()) + "<Data>";
    for (const auto& [name, code] : kTextFields) {
        if (teacher.contains(name)) {
            xml += dataRow(code, teacher[name].stringValue());
        }
    }
    for (const auto& [name, code] : kListFields) {
        for (const PlistValue& item : teacher[name].arrayItems()) {
            xml += dataRow(code, item.stringValue());
        }
    }
    if (teacher["contactForRate"].boolValue()) {
        xml += dataRow(43, "Yes");
    }
    xml += "</Data><TeacherGeocode><Data>";
    if (const auto place = LocatorSampleDirectory::teacherPlace(teacher)) {
        xml += "<DataRow><Latitude>" + std::to_string(place->latitude) + "</Latitude><Longitude>" +
               std::to_string(place->longitude) + "</Longitude></DataRow>";
    }
    return xml + "</Data></TeacherGeocode></Teacher>";
}

bool inPlace(const PlistValue& teacher, const std::string& country,
             const std::optional<GeoCoordinate>& center, double radiusMiles) {
    if (center) {
        const auto place = LocatorSampleDirectory::teacherPlace(teacher);
        return teacher["countryCode"].stringValue() == "US" && place &&
               (radiusMiles < 0 ||
                GeoCoordinate::centralAngle(*center, *place) * GeoCoordinate::kEarthRadiusMiles <=
                    radiusMiles);
    }
    const std::string wanted = LocatorSampleDirectory::normalized(country);
    return LocatorSampleDirectory::normalized(teacher["country"].stringValue()) == wanted ||
           LocatorSampleDirectory::normalized(teacher["countryCode"].stringValue()) == wanted;
}

} // namespace

ServiceAnswer TeacherService::answer(std::string_view soapAction, std::string_view body) const {
    QVXMLParser parser;
    parser.setIgnoredElements(std::vector<std::string>{"soap:Envelope", "soap:Body"});
    parser.setDictionaryElements(std::vector<std::string>{"GetTeachers"});
    std::string error;
    const PlistValue& root = parser.objectForData(body, &error);
    if (!error.empty()) {
        return ServiceAnswer::fault("soap:Client", "The request is not well-formed XML: " + error);
    }
    const PlistValue& request = root["GetTeachers"];
    const std::string action(SoapEnvelope::unquotedAction(soapAction));
    if (!request.isDictionary() || action.size() < 11 ||
        action.compare(action.size() - 11, 11, "GetTeachers") != 0) {
        return ServiceAnswer::fault("soap:Client", "The request is not a GetTeachers call");
    }
    const std::string instrument = request["Instrument"].stringValue();
    const std::string zip = request["Zip"].stringValue();
    const std::string country = request["Country"].stringValue();
    if (instrument.empty() || (zip.empty() && country.empty())) {
        return ServiceAnswer::fault("soap:Client", "GetTeachers needs an instrument and a place");
    }
    const std::optional<GeoCoordinate> center =
        zip.empty() ? std::nullopt : directory_.postalCode(zip);
    if (!zip.empty() && !center) {
        return {
            200, "text/xml; charset=utf-8",
            SoapEnvelope::wrap("<GetTeachersResponse><GetTeachersResult/></GetTeachersResponse>")};
    }
    const double radius = request.contains("Radius") ? request["Radius"].doubleValue() : -1.0;
    std::string teachers;
    const PlistValue::Array& all = directory_.teachers().arrayItems();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (LocatorSampleDirectory::listContains(all[i]["instruments"], instrument) &&
            inPlace(all[i], country, center, radius)) {
            teachers += teacherXml(all[i], i);
        }
    }
    return {200, "text/xml; charset=utf-8",
            SoapEnvelope::wrap("<GetTeachersResponse xmlns=\"" +
                               URLText::xmlEscape(action.substr(0, action.size() - 11)) +
                               "\"><GetTeachersResult>" + teachers +
                               "</GetTeachersResult></GetTeachersResponse>")};
}

ServiceAnswer TeacherService::thumbnail(std::string_view imageName) const {
    for (const PlistValue& teacher : directory_.teachers().arrayItems()) {
        if (!imageName.empty() && teacher["imageName"].stringValue() == imageName) {
            return {200, "image/png", ThumbnailImage::png(imageName)};
        }
    }
    return ServiceAnswer::text(404, "No such image\n");
}

} // namespace fretkit
