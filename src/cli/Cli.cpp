#include "Cli.h"

#include "AudioInfoCommand.h"
#include "ChordsCommand.h"
#include "CliHelp.h"
#include "DealersCommand.h"
#include "DefaultsCommand.h"
#include "MetronomeCommand.h"
#include "NameChordCommand.h"
#include "PlayChordCommand.h"
#include "PlayCommand.h"
#include "PlayScaleCommand.h"
#include "RecordCommand.h"
#include "ScalesCommand.h"
#include "ServeCommand.h"
#include "TeachersCommand.h"
#include "TuneCommand.h"

#include <algorithm>
#include <iomanip>
#include <ostream>

#ifndef FRETKIT_VERSION
#define FRETKIT_VERSION "unknown"
#endif

Cli::Cli()
    : commands_{
          // clang-format off
          DefaultsCommand::command(),
          AudioInfoCommand::command(),
          RecordCommand::command(),
          PlayCommand::command(),
          ChordsCommand::command(),
          ScalesCommand::command(),
          NameChordCommand::command(),
          DealersCommand::command(),
          TeachersCommand::command(),
          ServeCommand::command(),
          MetronomeCommand::command(),
          TuneCommand::command(),
          PlayChordCommand::command(),
          PlayScaleCommand::command(),
          // clang-format on
      } {}

void Cli::printUsage(std::ostream& stream) const {
    stream << "Usage: fretkit [--help | --version] <command> [arguments]\n\n"
           << CliHelp::description() << "\n\nCommands:\n";
    for (const CliCommand& command : commands_) {
        stream << "  " << std::left << std::setw(12) << command.name << command.summary << '\n';
        stream << "  " << std::setw(12) << ""
               << "fretkit " << command.name << ' ' << command.synopsis << '\n';
    }
    stream << "\nRun 'fretkit <command> --help' for a command's details.\n\nEnvironment:\n";
    for (const CliHelp::Entry& entry : CliHelp::environment()) {
        stream << "  " << std::setw(24) << entry.name << entry.text << '\n';
    }
    stream << "\nExit status:\n";
    for (const CliHelp::Entry& entry : CliHelp::exitStatus()) {
        stream << "  " << std::setw(4) << entry.name << entry.text << '\n';
    }
}

int Cli::run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) const {
    if (args.empty()) {
        printUsage(err);
        return kUsage;
    }
    const std::string& first = args.front();
    if (first == "--help" || first == "-h" || first == "help") {
        printUsage(out);
        return kSuccess;
    }
    if (first == "--version" || first == "-V") {
        out << "fretkit " << FRETKIT_VERSION << '\n';
        return kSuccess;
    }
    const auto command = std::find_if(commands_.begin(), commands_.end(),
                                      [&](const CliCommand& c) { return c.name == first; });
    if (command == commands_.end()) {
        err << "fretkit: unknown command '" << first << "'\n\n";
        printUsage(err);
        return kUsage;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (!rest.empty() && (rest.front() == "--help" || rest.front() == "-h")) {
        out << "Usage: fretkit " << command->name << ' ' << command->synopsis << "\n\n"
            << command->summary << '\n';
        return kSuccess;
    }
    return command->run(rest, out, err);
}
