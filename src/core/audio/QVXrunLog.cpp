#include "QVXrunLog.h"

#include "foundation/StringFormat.h"

std::optional<std::string> QVXrunLog::poll(std::uint64_t underruns, std::uint64_t overruns,
                                           double now) {
    if (!started_ || underruns < lastUnderruns_ || overruns < lastOverruns_) {
        // The first look, or counts that began again (another device): a new baseline, after
        // the burst of the old counts, if any.
        std::optional<std::string> line = flush();
        started_ = true;
        lastUnderruns_ = underruns;
        lastOverruns_ = overruns;
        lastPoll_ = now;
        return line;
    }
    const double previousPoll = lastPoll_;
    lastPoll_ = now;
    const std::uint64_t newUnderruns = underruns - lastUnderruns_;
    const std::uint64_t newOverruns = overruns - lastOverruns_;
    lastUnderruns_ = underruns;
    lastOverruns_ = overruns;
    if (newUnderruns == 0 && newOverruns == 0) {
        return flush();
    }
    if (!inBurst_) {
        // The dropouts happened since the previous look.
        inBurst_ = true;
        burstStart_ = previousPoll;
    }
    burstEnd_ = now;
    burstUnderruns_ += newUnderruns;
    burstOverruns_ += newOverruns;
    return now - burstStart_ >= kLongestBurst ? flush() : std::nullopt;
}

std::optional<std::string> QVXrunLog::flush() {
    if (!inBurst_) {
        return std::nullopt;
    }
    std::optional<std::string> line = report();
    inBurst_ = false;
    burstUnderruns_ = 0;
    burstOverruns_ = 0;
    return line;
}

std::optional<std::string> QVXrunLog::report() {
    const auto plural = [](std::uint64_t n, const char* word) {
        return fretkit::stringWithFormat("%llu %s%s", static_cast<unsigned long long>(n), word,
                                         n == 1 ? "" : "s");
    };
    return fretkit::stringWithFormat("audio: the device dropped out within %.0f s: ",
                                     burstEnd_ - burstStart_) +
           plural(burstUnderruns_, "underrun") + " and " + plural(burstOverruns_, "overrun");
}
