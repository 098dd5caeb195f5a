#pragma once

// Marks a function that runs on the audio thread's render path: the real-time sanitizer then
// reports any allocation, lock or blocking call made inside it. Empty for other compilers.
#if defined(__clang__) && defined(__has_cpp_attribute)
#if __has_cpp_attribute(clang::nonblocking)
#define FRETKIT_NONBLOCKING [[clang::nonblocking]]
#endif
#endif
#ifndef FRETKIT_NONBLOCKING
#define FRETKIT_NONBLOCKING
#endif

#if defined(__has_feature)
#if __has_feature(realtime_sanitizer)
#include <sanitizer/rtsan_interface.h>
#define FRETKIT_RTSAN 1
#endif
#endif

namespace fretkit::host {

// Lets the sanitizer accept the one blocking call the render path may make: taking the render
// lock. Without the sanitizer it costs nothing.
class RealtimeBlockingAllowed {
public:
#ifdef FRETKIT_RTSAN
    RealtimeBlockingAllowed() {
        __rtsan_disable();
    }
    ~RealtimeBlockingAllowed() {
        __rtsan_enable();
    }
#else
    RealtimeBlockingAllowed() = default;
#endif
    RealtimeBlockingAllowed(const RealtimeBlockingAllowed&) = delete;
    RealtimeBlockingAllowed& operator=(const RealtimeBlockingAllowed&) = delete;
};

} // namespace fretkit::host
