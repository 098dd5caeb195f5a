#include "HostFaults.h"

#include <array>
#include <atomic>

namespace fretkit::host {

namespace {

struct Fault {
    std::atomic<int> remaining{0}; // calls to let through plus one; 0 = no fault armed
    std::atomic<OSStatus> status{noErr};
    std::atomic<std::uint32_t> detail{HostFaults::kAnyDetail};
};

std::array<Fault, static_cast<std::size_t>(HostCall::Count)>& faults() {
    static std::array<Fault, static_cast<std::size_t>(HostCall::Count)> all;
    return all;
}

} // namespace

void HostFaults::failCall(HostCall call, int occurrence, OSStatus status, std::uint32_t detail) {
    Fault& fault = faults()[static_cast<std::size_t>(call)];
    fault.status.store(status);
    fault.detail.store(detail);
    fault.remaining.store(occurrence);
}

void HostFaults::reset() {
    for (Fault& fault : faults()) {
        fault.remaining.store(0);
    }
}

OSStatus HostFaults::check(HostCall call, std::uint32_t detail) {
    Fault& fault = faults()[static_cast<std::size_t>(call)];
    if (fault.remaining.load(std::memory_order_relaxed) == 0) {
        return noErr;
    }
    const std::uint32_t wanted = fault.detail.load();
    if (wanted != kAnyDetail && wanted != detail) {
        return noErr;
    }
    return fault.remaining.fetch_sub(1) == 1 ? fault.status.load() : noErr;
}

} // namespace fretkit::host
