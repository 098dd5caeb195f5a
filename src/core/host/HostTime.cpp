#include "HostTime.h"

#include <ctime>

namespace fretkit::host {

std::uint64_t hostAbsoluteTime() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1'000'000'000u +
           static_cast<std::uint64_t>(now.tv_nsec);
}

HostTimebaseInfo hostTimebaseInfo() {
    // The monotonic clock counts nanoseconds.
    return {1, 1};
}

} // namespace fretkit::host
