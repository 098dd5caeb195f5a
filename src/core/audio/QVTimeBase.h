#pragma once

#include <cstdint>

// Conversion between host clock ticks and nanoseconds; one shared instance, never freed.
class QVTimeBase {
public:
    static QVTimeBase& timeBase();

    // Host ticks per second.
    double frequency() const { return frequency_; }

    std::uint64_t currentHostTime() const;
    std::uint64_t currentNanoseconds() const;
    std::uint64_t nanosecondsForHostTime(std::uint64_t hostTime) const;
    std::uint64_t hostTimeForNanoseconds(std::uint64_t nanoseconds) const;
    // end - start in nanoseconds, negative when start is after end.
    std::int64_t nanosecondDeltaForHostStart(std::uint64_t start, std::uint64_t end) const;

    // A time base with this tick ratio (nanoseconds = ticks / denominator * numerator).
    QVTimeBase(double numerator, double denominator);
    QVTimeBase(const QVTimeBase&) = delete;
    QVTimeBase& operator=(const QVTimeBase&) = delete;

private:
    double numerator_;
    double denominator_;
    double frequency_;
};
