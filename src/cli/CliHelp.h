#pragma once

#include <string>
#include <vector>

// The prose of the tool's help, shared by `fretkit --help` and the manual page so that the two
// never drift apart: what the tool is, the environment it reads and what its exit status means.
struct CliHelp {
    struct Entry {
        std::string name;
        std::string text;
    };

    static const char* description();
    static const std::vector<Entry>& environment();
    static const std::vector<Entry>& exitStatus();
};
