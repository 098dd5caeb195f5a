#pragma once

#include "AudioFileReader.h"
#include "SampleRing.h"

#include <atomic>
#include <memory>
#include <thread>

namespace fretkit::host {

// Reads a sound file on a thread of its own into a ring the device thread empties, so that the
// device thread never touches the disk. The thread keeps the ring full and stops at the end of
// the file.
class BufferedFileReader {
public:
    BufferedFileReader(std::unique_ptr<AudioFileReader> reader, std::uint32_t capacityFrames);
    ~BufferedFileReader();
    BufferedFileReader(const BufferedFileReader&) = delete;
    BufferedFileReader& operator=(const BufferedFileReader&) = delete;

    std::uint32_t channels() const { return ring_.channels(); }

    // Device thread: takes up to `count` frames. Without `wait` it takes what is there; with it,
    // it sleeps until `count` frames are there or the file has ended. Fewer than `count` without
    // waiting while the file goes on means the reader fell behind.
    std::uint32_t pull(float* frames, std::uint32_t count, bool wait);
    // Every frame of the file has been taken.
    bool ended() const { return ring_.isClosed() && ring_.available() == 0; }

    // Main thread, before the device thread starts: sleeps until the ring holds `count` frames
    // or the whole file, so that a paced device does not start short of input.
    void prime(std::uint32_t count);

private:
    void run();

    std::unique_ptr<AudioFileReader> reader_;
    SampleRing ring_;
    std::atomic<bool> stopping_{false};
    std::thread thread_; // last: started once the rest is made
};

} // namespace fretkit::host
