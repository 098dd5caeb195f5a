#include "host/Realtime.h"

#include <atomic>
#include <gtest/gtest.h>

// The real-time tests prove something only when the sanitizer watches them. Built for it, this
// program must really be under it: the build stops when the compiler did not enable it, and the
// test below fails when an allocation on the render path goes unnoticed.
#ifdef FRETKIT_EXPECT_REALTIME_SANITIZER
#ifndef FRETKIT_RTSAN
#error "built for the real-time sanitizer, but the compiler does not apply it"
#endif

namespace {

std::atomic<int*> kept{nullptr};

// An allocation made where the render path runs, kept where the compiler cannot drop it.
void allocateOnTheRenderPath() FRETKIT_NONBLOCKING {
    kept.store(new int[16]);
}

} // namespace

TEST(RealtimeSanitizer, StopsTheProgramAtAnAllocationOnTheRenderPath) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(allocateOnTheRenderPath(), "RealtimeSanitizer");
    delete[] kept.exchange(nullptr);
}
#endif
