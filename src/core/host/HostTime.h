#pragma once

#include <cstdint>

namespace fretkit::host {

// The host clock: a monotonic tick counter and its ratio to nanoseconds.
struct HostTimebaseInfo {
    std::uint32_t numer;
    std::uint32_t denom;
};

// Ticks of the monotonic clock since an arbitrary start; never goes backwards.
std::uint64_t hostAbsoluteTime();

// nanoseconds = ticks * numer / denom.
HostTimebaseInfo hostTimebaseInfo();

} // namespace fretkit::host
