#pragma once

#include "AudioFileWriter.h"
#include "SampleRing.h"

#include <atomic>
#include <memory>
#include <thread>

namespace fretkit::host {

// Writes a sound file on a thread of its own from a ring the device thread fills, so that the
// device thread never touches the disk. A disk that refuses the samples (full, gone) ends the
// writing: the file keeps what was written before and is completed as a valid file by finish().
class BufferedFileWriter {
public:
    enum class Push { Queued, NoRoom, Failed };

    BufferedFileWriter(std::unique_ptr<AudioFileWriter> writer, std::uint32_t channels,
                       std::uint32_t capacityFrames);
    ~BufferedFileWriter();
    BufferedFileWriter(const BufferedFileWriter&) = delete;
    BufferedFileWriter& operator=(const BufferedFileWriter&) = delete;

    // Device thread: queues `count` interleaved frames. Without `wait`, a block the ring has no
    // room for is dropped (NoRoom: the writer fell behind); with it, the call sleeps until there
    // is room. Failed once the disk has refused samples: nothing is queued any more.
    Push push(const float* frames, std::uint32_t count, bool wait);
    bool hasFailed() const { return failed_.load(std::memory_order_acquire); }
    // Why the disk refused the samples, once hasFailed().
    const std::string& error() const { return writer_->error(); }

    // Main thread, once the device thread has stopped: writes what is queued, ends the thread
    // and completes the file. Answers whether every queued sample reached the disk. Works once;
    // later calls repeat the answer.
    bool finish();

private:
    void run();

    std::unique_ptr<AudioFileWriter> writer_;
    SampleRing ring_;
    std::atomic<bool> failed_{false};
    bool finished_ = false;
    bool complete_ = false;
    std::thread thread_; // last: started once the rest is made
};

} // namespace fretkit::host
