#include "Cli.h"

#include "support/Subprocess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun runCli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = Cli().run(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace

TEST(Cli, HelpAndVersionGoToStdoutAndSucceed) {
    const CliRun help = runCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: fretkit"), std::string::npos);
    EXPECT_NE(help.out.find("defaults"), std::string::npos);
    EXPECT_TRUE(help.err.empty());

    const CliRun version = runCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("fretkit ", 0), 0u);

    EXPECT_EQ(runCli({"defaults", "--help"}).status, 0);
}

TEST(Cli, UnknownCommandsAndMissingCommandsAreUsageErrors) {
    for (const auto& args : {std::vector<std::string>{"strum"}, std::vector<std::string>{},
                             std::vector<std::string>{"--frobnicate"}}) {
        const CliRun run = runCli(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find("Usage: fretkit"), std::string::npos);
    }
}

TEST(Cli, DefaultsRejectsBadArgumentsWithoutStoringAnything) {
    EXPECT_EQ(runCli({"defaults"}).status, 2);
    EXPECT_EQ(runCli({"defaults", "write", "MT_tempo"}).status, 2);
    EXPECT_EQ(runCli({"defaults", "write", "MT_tempo", "-int", "fast"}).status, 2);
    EXPECT_EQ(runCli({"defaults", "write", "MT_tempo", "-bool", "perhaps"}).status, 2);
    EXPECT_EQ(runCli({"defaults", "write", "MT_tempo", "-number", "3"}).status, 2);
}

// The real binary, run twice: a value written by one process is read by the next.
TEST(CliProcess, DefaultsWrittenByOneRunAreReadByTheNext) {
    TempDir dir;
    const std::string env = "FRETKIT_DEFAULTS='" + dir.file("defaults.plist") + "' ";
    const std::string cli = std::string(FRETKIT_CLI) + " defaults ";
    EXPECT_EQ(runCommand(env + cli + "write MT_tempo -int 132").status, 0);
    EXPECT_EQ(runCommand(env + cli + "write TN_tuning 'Open G'").status, 0);
    EXPECT_EQ(runCommand(env + cli + "write MT_flashOnBar -bool YES").status, 0);

    EXPECT_EQ(runCommand(env + cli + "read MT_tempo").output, "132\n");
    EXPECT_EQ(runCommand(env + cli + "read TN_tuning").output, "Open G\n");
    EXPECT_EQ(runCommand(env + cli + "read MT_flashOnBar").output, "1\n");
    EXPECT_NE(runCommand(env + cli + "read").output.find("<key>TN_tuning</key>"),
              std::string::npos);

    EXPECT_EQ(runCommand(env + cli + "delete TN_tuning").status, 0);
    EXPECT_EQ(runCommand(env + cli + "read TN_tuning 2>/dev/null").status, 1);
    EXPECT_EQ(runCommand(env + cli + "read MT_tempo").output, "132\n");
}
