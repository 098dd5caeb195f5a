#include "SampleRing.h"

#include <algorithm>
#include <cstring>

namespace fretkit::host {

SampleRing::SampleRing(std::uint32_t channels, std::uint32_t capacityFrames)
    : channels_(std::max(channels, 1u)), capacity_(std::max(capacityFrames, 1u)),
      samples_(std::size_t{channels_} * capacity_, 0.0f) {}

std::uint32_t SampleRing::space() const {
    return capacity_ - available();
}

std::uint32_t SampleRing::available() const {
    return static_cast<std::uint32_t>(written_.load(std::memory_order_acquire) -
                                      read_.load(std::memory_order_acquire));
}

std::uint32_t SampleRing::write(const float* frames, std::uint32_t count) {
    const std::uint64_t position = written_.load(std::memory_order_relaxed);
    const std::uint32_t n = std::min(count, space());
    if (n == 0) {
        return 0;
    }
    copyIn(frames, position, n);
    written_.store(position + n, std::memory_order_release);
    changed();
    return n;
}

std::uint32_t SampleRing::read(float* frames, std::uint32_t count) {
    const std::uint64_t position = read_.load(std::memory_order_relaxed);
    const std::uint32_t n = std::min(count, available());
    if (n == 0) {
        return 0;
    }
    copyOut(frames, position, n);
    read_.store(position + n, std::memory_order_release);
    changed();
    return n;
}

void SampleRing::copyIn(const float* from, std::uint64_t position, std::uint32_t count) {
    const auto start = static_cast<std::uint32_t>(position % capacity_);
    const std::uint32_t first = std::min(count, capacity_ - start);
    std::memcpy(samples_.data() + std::size_t{start} * channels_, from,
                std::size_t{first} * channels_ * sizeof(float));
    std::memcpy(samples_.data(), from + std::size_t{first} * channels_,
                std::size_t{count - first} * channels_ * sizeof(float));
}

void SampleRing::copyOut(float* to, std::uint64_t position, std::uint32_t count) const {
    const auto start = static_cast<std::uint32_t>(position % capacity_);
    const std::uint32_t first = std::min(count, capacity_ - start);
    std::memcpy(to, samples_.data() + std::size_t{start} * channels_,
                std::size_t{first} * channels_ * sizeof(float));
    std::memcpy(to + std::size_t{first} * channels_, samples_.data(),
                std::size_t{count - first} * channels_ * sizeof(float));
}

void SampleRing::changed() {
    changes_.fetch_add(1, std::memory_order_seq_cst);
    if (sleepers_.load(std::memory_order_seq_cst) != 0) {
        changes_.notify_all();
    }
}

void SampleRing::close() {
    closed_.store(true, std::memory_order_seq_cst);
    changed();
}

template <class Ready>
void SampleRing::waitUntil(Ready ready) const {
    sleepers_.fetch_add(1, std::memory_order_seq_cst);
    const std::uint32_t seen = changes_.load(std::memory_order_seq_cst);
    if (!ready() && !isClosed()) {
        changes_.wait(seen, std::memory_order_seq_cst);
    }
    sleepers_.fetch_sub(1, std::memory_order_seq_cst);
}

void SampleRing::waitForSpace(std::uint32_t count) const {
    waitUntil([&] { return space() >= std::min(count, capacity_); });
}

void SampleRing::waitForFrames(std::uint32_t count) const {
    waitUntil([&] { return available() >= std::min(count, capacity_); });
}

} // namespace fretkit::host
