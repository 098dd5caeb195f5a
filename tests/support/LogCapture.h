#pragma once

#include "foundation/Log.h"

#include <string>
#include <vector>

// Collects the log lines written while it exists.
class LogCapture {
public:
    LogCapture() {
        previous_ =
            fretkit::Log::setSink([this](const std::string& line) { lines_.push_back(line); });
    }
    ~LogCapture() { fretkit::Log::setSink(std::move(previous_)); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const std::vector<std::string>& lines() const { return lines_; }
    bool contains(const std::string& text) const {
        for (const std::string& line : lines_) {
            if (line.find(text) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

private:
    fretkit::Log::Sink previous_;
    std::vector<std::string> lines_;
};
