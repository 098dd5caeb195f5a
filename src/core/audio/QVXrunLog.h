#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Turns the stream's running counts of underruns and overruns into one log line per burst, so
// that a device that keeps dropping out does not flood the log. The caller polls at a steady
// pace (once a second). A burst begins at the first poll that finds new dropouts and ends at
// the first poll that finds none; its line then gives its counts and how long it lasted,
// from the poll before it began. A burst that goes on for kLongestBurst seconds is reported
// then and a new one begins.
class QVXrunLog {
public:
    static constexpr double kLongestBurst = 60.0;

    // Main thread. `now` is in seconds on any steady clock. Answers the line to log, if any.
    std::optional<std::string> poll(std::uint64_t underruns, std::uint64_t overruns, double now);
    // Main thread: ends the burst under way (the stream stops); its line, if there is one.
    std::optional<std::string> flush();

private:
    std::optional<std::string> report();

    bool started_ = false;
    std::uint64_t lastUnderruns_ = 0;
    std::uint64_t lastOverruns_ = 0;
    double lastPoll_ = 0.0;
    bool inBurst_ = false;
    double burstStart_ = 0.0;
    double burstEnd_ = 0.0;
    std::uint64_t burstUnderruns_ = 0;
    std::uint64_t burstOverruns_ = 0;
};
