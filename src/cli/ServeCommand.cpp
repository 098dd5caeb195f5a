#include "ServeCommand.h"

#include "CliOptions.h"
#include "foundation/Bundle.h"
#include "locators/LocatorServices.h"
#include "services/LocatorServer.h"

#include <csignal>
#include <ostream>
#include <pthread.h>

using namespace fretkit;

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CliOptions options(args, {}, {"--port"});
    std::string error = options.error();
    if (error.empty() && !options.positionals().empty()) {
        error = "unexpected argument '" + options.positionals().front() + "'";
    }
    const std::optional<int> port =
        error.empty() ? options.integer("--port", 0, 0, 65535, error) : std::nullopt;
    if (!port) {
        err << "fretkit serve: " << error << '\n';
        return kUsage;
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
    if (!server.start(*port, &error)) {
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
