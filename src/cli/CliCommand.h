#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

// One subcommand of the command-line tool. `run` gets the arguments after the subcommand's name
// and answers the exit status: 0 success, 1 failure, 2 a usage error.
struct CliCommand {
    std::string name;
    std::string synopsis; // the arguments, as the usage text shows them
    std::string summary;  // one line
    std::function<int(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)>
        run;
};
