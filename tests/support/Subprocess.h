#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

// Runs a shell command line, answering its exit status and what it printed on stdout.
struct SubprocessResult {
    int status = -1;
    std::string output;
};

inline SubprocessResult runCommand(const std::string& commandLine) {
    SubprocessResult result;
    FILE* pipe = popen(commandLine.c_str(), "r");
    if (!pipe) {
        return result;
    }
    std::array<char, 4096> buffer{};
    std::size_t count = 0;
    while ((count = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        result.output.append(buffer.data(), count);
    }
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}
