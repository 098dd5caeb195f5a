#pragma once

#include "host/Realtime.h"

#include <atomic>
#include <cstdint>
#include <memory>

// The estimator's input: a ring of samples that one thread (the audio thread) appends to and
// another (the analysis thread) copies windows out of, without a lock. Every sample is an atomic
// word, so a reader that races the writer sees old or new values, never torn ones; two counters
// tell the reader whether the writer overtook the window it copied, and it then copies again.
class AFSampleRing {
public:
    // How often copyNewest() tries before it gives up on a writer that keeps overtaking it.
    static constexpr int kCopyAttempts = 4;

    // A ring of 2^log2Capacity samples, all zero; valid() is false when they could not be
    // allocated.
    explicit AFSampleRing(std::uint32_t log2Capacity);
    AFSampleRing(const AFSampleRing&) = delete;
    AFSampleRing& operator=(const AFSampleRing&) = delete;

    bool valid() const { return samples_ != nullptr; }
    std::uint32_t capacity() const { return mask_ + 1; }

    // Audio thread: appends `frames` samples (of a longer block only the newest that fit count).
    // No lock, no allocation, no system call. One writer at a time.
    void write(const float* samples, std::uint32_t frames) FRETKIT_NONBLOCKING;

    // Analysis thread: copies the `frames` newest samples, oldest first, into `out` (`frames` at
    // most the capacity; before that many were written the window begins with zeros). Answers
    // false, with `out` unspecified, when the writer overtook every attempt. One reader at a time.
    bool copyNewest(float* out, std::uint32_t frames) const;

    // Samples ever written; any thread.
    std::uint64_t written() const { return published_.load(std::memory_order_acquire); }

private:
    std::unique_ptr<std::atomic<float>[]> samples_;
    std::uint32_t mask_ = 0;
    // Samples that the writer has begun to store: a slot below this count minus the capacity may
    // already hold a newer sample.
    std::atomic<std::uint64_t> claimed_{0};
    // Samples completely stored: the newest window ends here.
    std::atomic<std::uint64_t> published_{0};
};
