#include "TeachersCommand.h"

#include "CliJson.h"
#include "CliTable.h"
#include "LocatorSession.h"
#include "locators/CurrentLocale.h"
#include "locators/LocatorFailure.h"
#include "locators/LocatorPlace.h"
#include "locators/TFTeacherSearch.h"

#include <algorithm>
#include <cctype>
#include <ostream>

using namespace fretkit;

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

const char* const kJsonKeys[] = {
    "fullName", "firstName", "lastName",    "email",      "phone",       "website",
    "address",  "city",      "state",       "postalCode", "country",     "yearsTeaching",
    "rate",     "imageName", "instruments", "styles",     "skillLevels", "ageGroups"};

std::string distanceText(const TFTeacher& teacher, bool metric) {
    const double distance = teacher.distance();
    return distance == GeoCoordinate::kUnknownDistance
               ? std::string()
               : GeoCoordinate::distanceText(distance, metric);
}

void printJson(std::ostream& out, const std::vector<TFTeacher>& teachers, bool metric) {
    out << "[";
    for (std::size_t i = 0; i < teachers.size(); ++i) {
        out << (i ? ",\n " : "\n ") << "{";
        bool first = true;
        for (const char* key : kJsonKeys) {
            const PlistValue value = teachers[i].valueForKey(key);
            if (value.isNull()) {
                continue;
            }
            out << (first ? "" : ", ") << CliJson::quote(key) << ": ";
            first = false;
            if (value.isArray()) {
                out << "[";
                for (std::size_t j = 0; j < value.count(); ++j) {
                    out << (j ? ", " : "") << CliJson::quote(value[j].stringValue());
                }
                out << "]";
            } else {
                out << CliJson::quote(value.stringValue());
            }
        }
        const std::string distance = distanceText(teachers[i], metric);
        if (!distance.empty()) {
            out << ", \"distance\": " << CliJson::quote(distance);
        }
        out << "}";
    }
    out << "\n]\n";
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CliOptions options(args, {"--json"},
                             {"--instrument", "--country", "--zip", "--from", "--timeout"});
    std::string error;
    LocatorSession session;
    if (!session.readOptions(options, &error)) {
        err << "fretkit teachers: " << error << '\n';
        return kUsage;
    }
    const std::string instrument = options.value("--instrument").value_or("");
    if (instrument.empty() ||
        options.value("--country").has_value() == options.value("--zip").has_value()) {
        err << "fretkit teachers: give --instrument NAME and either --country or --zip\n";
        return kUsage;
    }
    const bool international = options.value("--country").has_value();
    const std::string place = *options.value(international ? "--country" : "--zip");
    if (place.empty() || (!international && !LocatorPlace::isPostalCode(place))) {
        err << "fretkit teachers: "
            << (international ? "--country needs a country name or code"
                              : "--zip needs a five-digit postal code")
            << '\n';
        return kUsage;
    }
    if (!session.open(&error)) {
        err << "fretkit teachers: " << error << '\n';
        return kFailure;
    }

    const bool metric = CurrentLocale::usesMetricSystem();
    const TFTeacherSearch search(instrument, international, place, session.from());
    const LocatorResponse response =
        session.sendAll({search.request(session.services().teachers)})[0];
    std::string problem = LocatorFailure::of(response);
    std::vector<TFTeacher> teachers;
    if (problem.empty()) {
        std::string parseError;
        teachers = search.readAnswer(response.body, &parseError);
        problem = LocatorSession::malformed(parseError);
    }
    if (!problem.empty()) {
        err << "fretkit teachers: the teacher search failed: " << problem << '\n';
    }

    if (options.flag("--json")) {
        printJson(out, teachers, metric);
    } else if (teachers.empty()) {
        out << (problem.empty() ? "No teachers found.\n" : "");
    } else {
        std::vector<CliTable::Row> rows;
        for (const TFTeacher& teacher : teachers) {
            rows.push_back({teacher.fullName(), teacher.city + ", " + teacher.state,
                            distanceText(teacher, metric)});
        }
        CliTable::print(out, {"Name", "Place", "Distance"}, rows);
    }
    return problem.empty() ? kSuccess : kFailure;
}

} // namespace

CliCommand TeachersCommand::command() {
    return {"teachers",
            "--instrument NAME (--country NAME|CC | --zip NNNNN) [--from LAT,LON] [--json] "
            "[--timeout S]",
            "Find teachers of an instrument in a country or near a US postal code", run};
}
