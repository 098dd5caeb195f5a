#include "DealersCommand.h"

#include "CliJson.h"
#include "CliTable.h"
#include "LocatorSession.h"
#include "locators/CurrentLocale.h"
#include "locators/DFDealerList.h"
#include "locators/DFDealerSearch.h"
#include "locators/LocatorFailure.h"
#include "locators/LocatorPlace.h"

#include <algorithm>
#include <cctype>
#include <ostream>

using namespace fretkit;

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

void printJson(std::ostream& out, const std::vector<PlistValue>& dealers) {
    out << "[";
    for (std::size_t i = 0; i < dealers.size(); ++i) {
        out << (i ? ",\n " : "\n ") << "{";
        bool first = true;
        for (const auto& [key, value] : dealers[i].dictionaryEntries()) {
            if (key == "distanceValue") {
                continue;
            }
            out << (first ? "" : ", ") << CliJson::quote(key) << ": "
                << CliJson::quote(value.stringValue());
            first = false;
        }
        out << "}";
    }
    out << "\n]\n";
}

void printTable(std::ostream& out, const std::vector<PlistValue>& dealers) {
    std::vector<CliTable::Row> rows;
    for (const PlistValue& dealer : dealers) {
        rows.push_back({dealer["ALCLTX"].stringValue(),
                        dealer["ALCPTX"].stringValue() + ", " + dealer["ALBYCD"].stringValue(),
                        dealer["distanceText"].stringValue()});
    }
    CliTable::print(out, {"Name", "Place", "Distance"}, rows);
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CliOptions options(args, {"--json"}, {"--country", "--zip", "--from", "--timeout"});
    std::string error;
    LocatorSession session;
    if (!session.readOptions(options, &error)) {
        err << "fretkit dealers: " << error << '\n';
        return kUsage;
    }
    if (options.value("--country").has_value() == options.value("--zip").has_value()) {
        err << "fretkit dealers: give either --country CC or --zip NNNNN\n";
        return kUsage;
    }
    const bool international = options.value("--country").has_value();
    std::string code = *options.value(international ? "--country" : "--zip");
    std::transform(code.begin(), code.end(), code.begin(), [](char c) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    });
    if (international ? !LocatorPlace::isCountryCode(code) : !LocatorPlace::isPostalCode(code)) {
        err << "fretkit dealers: "
            << (international ? "--country needs a two-letter country code"
                              : "--zip needs a five-digit postal code")
            << '\n';
        return kUsage;
    }
    if (!session.open(&error)) {
        err << "fretkit dealers: " << error << '\n';
        return kFailure;
    }

    const DFDealerSearch search(international, code, session.from(),
                                CurrentLocale::usesMetricSystem());
    std::vector<LocatorRequest> requests;
    for (const char* brand : DFDealerSearch::kBrandKeys) {
        requests.push_back(search.request(brand, session.services().dealers));
    }
    const std::vector<LocatorResponse> responses = session.sendAll(requests);
    DFDealerList list;
    bool failed = false;
    for (std::size_t i = 0; i < responses.size(); ++i) {
        std::string problem = LocatorFailure::of(responses[i]);
        if (problem.empty()) {
            std::string parseError;
            list.merge(search.readAnswer(responses[i].body, &parseError));
            problem = LocatorSession::malformed(parseError);
        }
        if (!problem.empty()) {
            err << "fretkit dealers: the " << DFDealerSearch::kBrandKeys[i]
                << " search failed: " << problem << '\n';
            failed = true;
        }
    }

    if (options.flag("--json")) {
        printJson(out, list.dealers());
    } else if (list.empty()) {
        out << (failed ? "" : "No dealers found.\n");
    } else {
        printTable(out, list.dealers());
    }
    return failed ? kFailure : kSuccess;
}

} // namespace

CliCommand DealersCommand::command() {
    return {"dealers", "(--country CC | --zip NNNNN) [--from LAT,LON] [--json] [--timeout S]",
            "Find the dealers of every brand in a country or near a US postal code", run};
}
