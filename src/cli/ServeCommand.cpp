#include "ServeCommand.h"

#include "CliOptions.h"
#include "foundation/Bundle.h"
#include "locators/LocatorServices.h"
#include "services/LocatorServer.h"

#include <charconv>
#include <csignal>
#include <ostream>
#include <pthread.h>

using namespace fretkit;

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CliOptions options;
    std::string error;
    if (!options.parse(args, {"--port"}, {}, &error)) {
        err << "fretkit serve: " << error << '\n';
        return kUsage;
    }
    int port = 0;
    const std::string portText = options.value("--port");
    if (options.has("--port")) {
        const auto [end, ec] =
            std::from_chars(portText.data(), portText.data() + portText.size(), port);
        if (ec != std::errc() || end != portText.data() + portText.size() || port < 0 ||
            port > 65535) {
            err << "fretkit serve: --port needs a number from 0 to 65535\n";
            return kUsage;
        }
    }
    auto directory = LocatorSampleDirectory::load(Bundle::main(), &error);
    if (!directory) {
        err << "fretkit serve: " << error << '\n';
        return kFailure;
    }

    // The server's threads inherit a mask with SIGINT and SIGTERM blocked, so that this thread
    // alone receives them, by waiting for them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    LocatorServer server(std::move(*directory));
    if (!server.start(port, &error)) {
        err << "fretkit serve: " << error << '\n';
        return kFailure;
    }
    const std::string base = server.baseAddress();
    out << "Serving the dealer, teacher and map services at " << base << "\n"
        << "Use them with:\n"
        << "  export " << LocatorServices::kDealerVariable << '=' << base << '\n'
        << "  export " << LocatorServices::kTeacherVariable << '=' << base << '\n'
        << "  export " << LocatorServices::kMapVariable << '=' << base << '\n'
        << "Stop with Ctrl-C." << std::endl;
    int received = 0;
    sigwait(&stopSignals, &received);
    server.stop();
    out << "Stopped." << std::endl;
    return kSuccess;
}

} // namespace

CliCommand ServeCommand::command() {
    return {"serve", "[--port N]",
            "Run the local dealer, teacher and map services on 127.0.0.1 until interrupted", run};
}
