#include "foundation/Bundle.h"
#include "locators/DFDealerSearch.h"
#include "locators/LocatorHttpClient.h"
#include "locators/SoapEnvelope.h"
#include "services/DealerService.h"
#include "support/Subprocess.h"
#include "support/TempDir.h"
#include "support/TestCertificate.h"

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <gtest/gtest.h>
#include <httplib.h>
#include <mutex>
#include <sstream>
#include <thread>
#include <unistd.h>

using namespace fretkit;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the real `fretkit` with a private settings file and the given service variables.
CliRun runFretkit(const std::string& arguments, const std::string& environment = "") {
    TempDir dir;
    const std::string errFile = dir.file("stderr");
    const SubprocessResult result = runCommand(
        "env -u FRETKIT_DEALER_SERVICE -u FRETKIT_TEACHER_SERVICE -u FRETKIT_MAP_SERVICE "
        "FRETKIT_DEFAULTS=" +
        dir.file("defaults.plist") + " LC_ALL=en_US.UTF-8 " + environment + " " FRETKIT_CLI " " +
        arguments + " 2>" + errFile);
    return {result.status, result.output, TempDir::read(errFile)};
}

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++found;
    }
    return found;
}

// A dealer service on 127.0.0.1 that answers from the sample directory, except for the brands a
// test makes misbehave. The server runs on its own thread until the object goes away.
class DealerStandIn {
public:
    using Override =
        std::function<bool(const std::string& action, httplib::Response&, DealerStandIn& self)>;

    explicit DealerStandIn(Override override, httplib::Server* server = nullptr)
        : owned_(server ? nullptr : std::make_unique<httplib::Server>()),
          server_(server ? *server : *owned_),
          directory_(*LocatorSampleDirectory::load(Bundle::main(), nullptr)), service_(directory_) {
        const auto handler = [this, override](const httplib::Request& req, httplib::Response& res) {
            const std::string action = req.get_header_value("SOAPAction");
            if (!override(action, res, *this)) {
                const ServiceAnswer answer = service_.answer(req.path, action, req.body);
                res.status = answer.status;
                res.set_content(answer.body, answer.contentType.c_str());
            }
        };
        server_.Post(DFDealerSearch::kInternationalPath, handler);
        server_.Post(DFDealerSearch::kDomesticPath, handler);
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~DealerStandIn() {
        release();
        while (!server_.is_running()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        server_.stop();
        thread_.join();
    }

    std::string base(const char* scheme = "http") const {
        return std::string(scheme) + "://127.0.0.1:" + std::to_string(port_);
    }
    // Holds a request until the stand-in goes away (at most 30 s): a service that never answers.
    void hold() {
        std::unique_lock lock(mutex_);
        released_.wait_for(lock, std::chrono::seconds(30), [this] { return isReleased_; });
    }

private:
    void release() {
        std::lock_guard lock(mutex_);
        isReleased_ = true;
        released_.notify_all();
    }

    std::unique_ptr<httplib::Server> owned_;
    httplib::Server& server_;
    LocatorSampleDirectory directory_;
    DealerService service_;
    std::thread thread_;
    int port_ = 0;
    std::mutex mutex_;
    std::condition_variable released_;
    bool isReleased_ = false;
};

bool contains(const std::string& action, const char* operation) {
    return action.find(operation) != std::string::npos;
}

} // namespace

TEST(LocatorCli, DealersNearAPostalCodeComeFromTheEmbeddedServicesNearestFirst) {
    const CliRun run = runFretkit("dealers --zip 19103 --from 39.95,-75.17");
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream lines(run.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line.rfind("Name", 0), 0u);
    double previous = 0.0;
    std::vector<std::string> seen;
    while (std::getline(lines, line)) {
        const std::size_t unit = line.rfind(" mi");
        ASSERT_NE(unit, std::string::npos) << line; // miles in an en_US locale
        const double distance = std::stod(line.substr(line.rfind("  ", unit) + 2));
        EXPECT_GE(distance, previous);
        previous = distance;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), line), 0) << "listed twice: " << line;
        seen.push_back(line);
    }
    EXPECT_GE(seen.size(), 3u);

    const CliRun international = runFretkit("dealers --country de --json");
    ASSERT_EQ(international.status, 0) << international.err;
    EXPECT_NE(international.out.find("\"ALCOCD\": \"DE\""), std::string::npos);
    EXPECT_EQ(international.out.find("distanceText"), std::string::npos);
}

TEST(LocatorCli, TeachersAreSearchedByInstrumentAndUnapprovedOnesStayHidden) {
    const CliRun run = runFretkit("teachers --instrument Guitar --zip 19103 --from 39.95,-75.17");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Ada Quill"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(" mi"), std::string::npos);

    const CliRun json = runFretkit("teachers --instrument guitar --country 'United States' --json");
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_NE(json.out.find("\"instruments\": ["), std::string::npos);
    EXPECT_EQ(json.out.find("Okafor"), std::string::npos); // in the directory, not approved

    EXPECT_EQ(runFretkit("teachers --instrument Theremin --country DE").out,
              "No teachers found.\n");
}

TEST(LocatorCli, BadArgumentsAndAddressesAreClearErrors) {
    for (const char* arguments :
         {"dealers", "dealers --zip 19103 --country DE", "dealers --zip 191",
          "dealers --country X1", "dealers --zip 19103 --from 95,0",
          "dealers --zip 19103 --timeout 0", "teachers --zip 19103",
          "teachers --instrument Guitar --zip abcde", "serve --port 70000",
          "dealers --zip 19103 --frobnicate"}) {
        const CliRun run = runFretkit(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_NE(run.err.find("fretkit "), std::string::npos) << arguments;
    }
    const CliRun badAddress =
        runFretkit("dealers --zip 19103", "FRETKIT_DEALER_SERVICE=dealers.test");
    EXPECT_EQ(badAddress.status, 1);
    EXPECT_NE(badAddress.err.find("not an http or https base address"), std::string::npos);
}

TEST(LocatorCliFailures, AFailingBrandAndAMalformedAnswerAreReportedAndTheRestIsPrinted) {
    DealerStandIn standIn([](const std::string& action, httplib::Response& res, DealerStandIn&) {
        if (contains(action, "GetTembaDealers")) {
            res.status = 500;
            res.set_content(SoapEnvelope::fault("soap:Server", "Temba listings are offline"),
                            "text/xml");
            return true;
        }
        if (contains(action, "GetHalvetDealers")) {
            res.set_content("<soap:Envelope><NewDataSet><Table><ALCLTX>Half Row</ALCLTX>"
                            "<ALCPTX>Cut</ALCPTX></Table><Table><ALC",
                            "text/xml");
            return true;
        }
        return false;
    });
    const CliRun run =
        runFretkit("dealers --country DE", "FRETKIT_DEALER_SERVICE=" + standIn.base());
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("the Temba search failed: the service answered HTTP 500: Temba "
                           "listings are offline"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("the Halvet search failed: the answer is not well-formed XML"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(count(run.err, "search failed"), 2u) << run.err;
    // The other brands' dealers and the rows read before the error are still listed.
    EXPECT_NE(run.out.find("Berlin"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Half Row"), std::string::npos) << run.out;
}

TEST(LocatorCliFailures, AServiceThatNeverAnswersTimesOut) {
    DealerStandIn standIn([](const std::string& action, httplib::Response&, DealerStandIn& self) {
        if (contains(action, "GetQuillonDealers")) {
            self.hold();
        }
        return false;
    });
    const auto started = std::chrono::steady_clock::now();
    const CliRun run =
        runFretkit("dealers --country FR --timeout 1", "FRETKIT_DEALER_SERVICE=" + standIn.base());
    const auto elapsed = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("the Quillon search failed: no answer within 1 s"), std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find("Lyon"), std::string::npos) << run.out;
    // Bounded by the timeout, not by the held request (released only at the end of the test).
    EXPECT_LT(elapsed, std::chrono::seconds(20));
}

TEST(LocatorCliFailures, AnUntrustedCertificateIsRefused) {
    TempDir dir;
    const std::string certificate = dir.file("cert.pem");
    const std::string key = dir.file("key.pem");
    ASSERT_TRUE(writeSelfSignedCertificate(certificate, key));
    httplib::SSLServer tls(certificate.c_str(), key.c_str());
    ASSERT_TRUE(tls.is_valid());
    DealerStandIn standIn(
        [](const std::string&, httplib::Response&, DealerStandIn&) { return false; }, &tls);

    // The endpoint works for a client that trusts this certificate...
    httplib::Client trusting(standIn.base("https"));
    trusting.set_ca_cert_path(certificate);
    const auto request =
        DFDealerSearch(true, "DE", {}, true).request("Temba", standIn.base("https"));
    const auto trusted = trusting.Post(DFDealerSearch::kInternationalPath,
                                       {{"SOAPAction", request.header("SOAPAction")}}, request.body,
                                       "text/xml; charset=utf-8");
    ASSERT_TRUE(trusted) << httplib::to_string(trusted.error());
    EXPECT_EQ(trusted->status, 200);

    // ...and the locator, which trusts only the system's authorities, refuses it.
    const CliRun run =
        runFretkit("dealers --country DE", "FRETKIT_DEALER_SERVICE=" + standIn.base("https"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(count(run.err, "the server's certificate was refused (self-signed certificate)"), 7u)
        << run.err;
    EXPECT_EQ(run.out, "");
}

TEST(LocatorCliServe, ServesUntilTerminated) {
    int output[2];
    ASSERT_EQ(pipe(output), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(output[1], STDOUT_FILENO);
        close(output[0]);
        close(output[1]);
        execl(FRETKIT_CLI, FRETKIT_CLI, "serve", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(output[1]);
    FILE* lines = fdopen(output[0], "r");
    char first[256] = {};
    ASSERT_NE(fgets(first, sizeof first, lines), nullptr);
    const std::string banner(first);
    const std::size_t at = banner.find("http://127.0.0.1:");
    ASSERT_NE(at, std::string::npos) << banner;
    const std::string base = banner.substr(at, banner.find_first_of(" \n", at) - at);

    const LocatorResponse geocode =
        LocatorHttpClient().send({"GET", base + "/maps/geo?q=19103&output=csv", {}, {}});
    EXPECT_EQ(geocode.body.rfind("200,8,39.95", 0), 0u) << geocode.body << geocode.error;

    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    fclose(lines);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
