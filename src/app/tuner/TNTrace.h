#pragma once

#include <QString>
#include <cstdio>
#include <memory>

// A file of lines that tells what the tuner screen showed and when, for tests that run the
// whole app: named by an environment variable, opened for appending, flushed line by line so
// that it is complete even when the app is stopped from outside.
class TNTrace {
public:
    // Null when the variable is unset or empty, or the file cannot be opened (with a log line).
    static std::unique_ptr<TNTrace> fromEnvironment(const char* variable);
    ~TNTrace();
    TNTrace(const TNTrace&) = delete;
    TNTrace& operator=(const TNTrace&) = delete;

    void line(const QString& text);

private:
    explicit TNTrace(std::FILE* file) : file_(file) {}

    std::FILE* file_;
};
