#pragma once

#include "AudioTypes.h"

#include <cstdint>

namespace fretkit::host {

// Calls of the audio services that a test can make fail, to see how the callers above cope.
enum class HostCall : std::uint8_t {
    NewGraph,
    AddNode,
    OpenGraph,
    InitializeGraph,
    ConnectNodes,
    StartGraph,
    SetProperty,
    AddRenderNotify,
    DeviceStart,
    SessionInitialize,
    SessionGetProperty,
    SessionSetProperty,
    SessionSetActive,
    Count
};

// Makes the n-th next call of a kind (1 = the very next) answer a status instead of running.
// Not for production code paths; all state is process-wide and reset by reset().
class HostFaults {
public:
    // With a detail (a property code), only calls about that detail count.
    static void failCall(HostCall call, int occurrence, OSStatus status,
                         std::uint32_t detail = kAnyDetail);
    static void reset();
    // Counts the call and answers the status it must fail with, or noErr to go on.
    static OSStatus check(HostCall call, std::uint32_t detail = kAnyDetail);

    static constexpr std::uint32_t kAnyDetail = 0xFFFFFFFF;
};

} // namespace fretkit::host
