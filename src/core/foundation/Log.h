#pragma once

#include <functional>
#include <string>

namespace fretkit {

// The diagnostic log: plain lines, one per call. By default they go to stderr; a sink may take
// them instead (tests capture them, the app may show them). Not for the audio thread.
class Log {
public:
    using Sink = std::function<void(const std::string& line)>;

    static void line(const std::string& text);
    static void format(const char* format, ...) __attribute__((format(printf, 1, 2)));

    // Installs a sink and answers the previous one; an empty sink restores stderr.
    static Sink setSink(Sink sink);
};

} // namespace fretkit
