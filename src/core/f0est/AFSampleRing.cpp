#include "AFSampleRing.h"

#include <new>

static_assert(std::atomic<float>::is_always_lock_free);
static_assert(std::atomic<std::uint64_t>::is_always_lock_free);

AFSampleRing::AFSampleRing(std::uint32_t log2Capacity)
    : samples_(new (std::nothrow) std::atomic<float>[std::size_t{1} << log2Capacity]()),
      mask_((1u << log2Capacity) - 1) {}

void AFSampleRing::write(const float* samples, std::uint32_t frames) {
    std::uint64_t start = published_.load(std::memory_order_relaxed);
    if (frames > capacity()) {
        // The older samples would be overwritten within this very block.
        start += frames - capacity();
        samples += frames - capacity();
        frames = capacity();
    }
    claimed_.store(start + frames, std::memory_order_relaxed);
    // Each store releases the claim above: a reader that sees a new sample also sees the claim.
    for (std::uint32_t i = 0; i < frames; ++i) {
        samples_[(start + i) & mask_].store(samples[i], std::memory_order_release);
    }
    published_.store(start + frames, std::memory_order_release);
}

bool AFSampleRing::copyNewest(float* out, std::uint32_t frames) const {
    for (int attempt = 0; attempt < kCopyAttempts; ++attempt) {
        const std::uint64_t end = published_.load(std::memory_order_acquire);
        // Below zero before `frames` samples were written: unsigned arithmetic wraps, the slots
        // are those never written yet, and the check below still holds.
        const std::uint64_t begin = end - frames;
        for (std::uint32_t i = 0; i < frames; ++i) {
            out[i] = samples_[(begin + i) & mask_].load(std::memory_order_acquire);
        }
        // The oldest copied slot is overwritten once the writer claims sample begin + capacity.
        if (claimed_.load(std::memory_order_relaxed) - begin <= capacity()) {
            return true;
        }
    }
    return false;
}
