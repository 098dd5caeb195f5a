#include "TFTeacherSearch.h"

#include "SoapEnvelope.h"
#include "URLText.h"
#include "xml/QVXMLParser.h"

#include <algorithm>

namespace fretkit {

std::string TFTeacherSearch::serviceNamespace(std::string_view serviceBase) {
    return "http://" + std::string(URLText::authority(serviceBase)) + "/";
}

LocatorRequest TFTeacherSearch::request(std::string_view serviceBase) const {
    const std::string ns = serviceNamespace(serviceBase);
    const std::string place = URLText::xmlEscape(localeCode_);
    LocatorRequest request;
    request.method = "POST";
    request.url = std::string(serviceBase) + kPath;
    request.body =
        SoapEnvelope::start() + "<GetTeachers xmlns=\"" + URLText::xmlEscape(ns) +
        "\"><Instrument>" + URLText::xmlEscape(instrument_) +
        "</Instrument><MusicStyles></MusicStyles><SkillLevel></SkillLevel>"
        "<City></City><State></State>" +
        (international_
             ? "<Zip></Zip><Country>" + place + "</Country><Radius>-1</Radius>"
             : "<Zip>" + place + "</Zip><Country>United States</Country><Radius>50</Radius>") +
        "</GetTeachers>" + SoapEnvelope::end();
    request.headers = {{"Content-Type", "text/xml; charset=utf-8"},
                       {"SOAPAction", ns + "GetTeachers"},
                       {"Content-Length", std::to_string(request.body.size())}};
    return request;
}

std::vector<TFTeacher> TFTeacherSearch::readAnswer(std::string_view body,
                                                   std::string* error) const {
    QVXMLParser parser;
    parser.setRootClass(QVXMLParser::RootClass::Array);
    parser.setDictionaryElements(std::vector<std::string>{"Teacher", "DataRow", "TeacherGeocode"});
    parser.setArrayElements(std::vector<std::string>{"Data"});
    const PlistValue& root = parser.objectForData(body, error);
    std::vector<TFTeacher> teachers;
    for (const PlistValue& state : root.arrayItems()) {
        if (auto teacher = TFTeacher::teacherWithState(state)) {
            teacher->localCoordinates = coordinates_;
            teachers.push_back(std::move(*teacher));
        }
    }
    std::stable_sort(teachers.begin(), teachers.end(), [](const TFTeacher& a, const TFTeacher& b) {
        return a.distance() < b.distance();
    });
    return teachers;
}

} // namespace fretkit
