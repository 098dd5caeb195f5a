#include "CliManPage.h"

#include "Cli.h"
#include "CliHelp.h"

#include <ostream>
#include <string>

#ifndef FRETKIT_VERSION
#define FRETKIT_VERSION "unknown"
#endif

namespace {

// Text as roff shows it literally: backslashes and hyphens escaped, and no line that starts
// with a control character.
std::string roff(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '\\') {
            escaped += "\\e";
        } else if (c == '-') {
            escaped += "\\-";
        } else {
            escaped += c;
        }
        if (c == '\n') {
            escaped += "\\&";
        }
    }
    return escaped;
}

// Text that begins a line.
std::string line(const std::string& text) {
    return "\\&" + roff(text) + '\n';
}

void entries(std::ostream& stream, const std::vector<CliHelp::Entry>& list) {
    for (const CliHelp::Entry& entry : list) {
        stream << ".TP\n.B " << roff(entry.name) << '\n' << line(entry.text);
    }
}

} // namespace

void CliManPage::write(const Cli& cli, std::ostream& stream) {
    stream << ".TH FRETKIT 1 \"\" \"Fretkit " FRETKIT_VERSION "\" \"User Commands\"\n"
           << ".SH NAME\nfretkit \\- " << roff(CliHelp::description()) << '\n'
           << ".SH SYNOPSIS\n.B fretkit\n[\\fB\\-\\-help\\fR | \\fB\\-\\-version\\fR] "
              "\\fIcommand\\fR [\\fIarguments\\fR]\n"
           << ".SH DESCRIPTION\n"
           << line(CliHelp::description())
           << ".PP\nRun \\fBfretkit\\fR \\fIcommand\\fR \\fB\\-\\-help\\fR for a command's "
              "details.\n"
           << ".SH COMMANDS\n";
    for (const CliCommand& command : cli.commands()) {
        stream << ".TP\n\\fBfretkit " << roff(command.name) << "\\fR " << roff(command.synopsis)
               << '\n'
               << line(command.summary);
    }
    stream << ".SH ENVIRONMENT\n";
    entries(stream, CliHelp::environment());
    stream << ".SH EXIT STATUS\n";
    entries(stream, CliHelp::exitStatus());
    stream << ".SH SEE ALSO\n\\fBfretkit\\-app\\fR, the desktop application.\n";
}
