#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

namespace fretkit::host {

// A ring of interleaved float frames between one writing and one reading thread, neither of
// which ever waits for the other: each side moves what fits and says how much that was. The
// storage is made once, so the real-time side never allocates. A side that may wait sleeps in
// waitForSpace or waitForFrames until the other side has moved frames or closed the ring, then
// looks again at what it needs: the waits return early, never late.
class SampleRing {
public:
    SampleRing(std::uint32_t channels, std::uint32_t capacityFrames);
    SampleRing(const SampleRing&) = delete;
    SampleRing& operator=(const SampleRing&) = delete;

    std::uint32_t channels() const { return channels_; }
    std::uint32_t capacity() const { return capacity_; }

    // Writer: copies up to `frames` frames in, answers how many fit.
    std::uint32_t write(const float* frames, std::uint32_t count);
    std::uint32_t space() const;
    // Writer: returns at once when `count` frames fit (at most the capacity) or the ring is
    // closed, else after the reader's next move.
    void waitForSpace(std::uint32_t count) const;

    // Reader: copies up to `count` frames out, answers how many there were.
    std::uint32_t read(float* frames, std::uint32_t count);
    std::uint32_t available() const;
    // Reader: returns at once when `count` frames are there (at most the capacity) or the ring
    // is closed, else after the writer's next move.
    void waitForFrames(std::uint32_t count) const;

    // Any thread: says that one side is done (it ended, failed or was asked to stop) and ends
    // every wait. What the ring holds can still be read.
    void close();
    bool isClosed() const { return closed_.load(std::memory_order_seq_cst); }

private:
    void copyIn(const float* from, std::uint64_t position, std::uint32_t count);
    void copyOut(float* to, std::uint64_t position, std::uint32_t count) const;
    void changed();
    template <class Ready>
    void waitUntil(Ready ready) const;

    const std::uint32_t channels_;
    const std::uint32_t capacity_;
    std::vector<float> samples_;
    // Frames ever written and read; their difference is what the ring holds. Each is written
    // by its side alone and waited on by the other.
    std::atomic<std::uint64_t> written_{0};
    std::atomic<std::uint64_t> read_{0};
    std::atomic<bool> closed_{false};
    // Bumped by every move and by close(); sleepers wait on it. Only a side that finds a sleeper
    // makes the system call that wakes it.
    mutable std::atomic<std::uint32_t> changes_{0};
    mutable std::atomic<std::uint32_t> sleepers_{0};
};

} // namespace fretkit::host
