#pragma once

#include "CliCommand.h"

#include <iosfwd>
#include <string>
#include <vector>

// The `fretkit` command-line tool: global options and dispatch to the subcommands.
class Cli {
public:
    static constexpr int kSuccess = 0;
    static constexpr int kFailure = 1;
    static constexpr int kUsage = 2;

    Cli();

    int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) const;
    void printUsage(std::ostream& stream) const;
    const std::vector<CliCommand>& commands() const { return commands_; }

private:
    std::vector<CliCommand> commands_;
};
