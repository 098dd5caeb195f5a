#include "BufferedFileReader.h"

#include <algorithm>
#include <vector>

namespace fretkit::host {

namespace {

constexpr std::uint32_t kChunkFrames = 4096;

} // namespace

BufferedFileReader::BufferedFileReader(std::unique_ptr<AudioFileReader> reader,
                                       std::uint32_t capacityFrames)
    : reader_(std::move(reader)), ring_(reader_->channels(), capacityFrames),
      thread_([this] { run(); }) {}

BufferedFileReader::~BufferedFileReader() {
    stopping_.store(true, std::memory_order_release);
    ring_.close();
    thread_.join();
}

void BufferedFileReader::run() {
    const std::uint32_t chunkFrames = std::min(kChunkFrames, ring_.capacity());
    std::vector<float> chunk(std::size_t{chunkFrames} * ring_.channels());
    while (!stopping_.load(std::memory_order_acquire)) {
        ring_.waitForSpace(chunkFrames);
        if (ring_.isClosed()) {
            return;
        }
        const std::uint32_t room = std::min(chunkFrames, ring_.space());
        if (room == 0) {
            continue;
        }
        const std::uint32_t frames = reader_->read(chunk.data(), room);
        if (frames == 0) {
            break; // the end of the file, or a file that cannot be read further
        }
        ring_.write(chunk.data(), frames);
    }
    ring_.close();
}

std::uint32_t BufferedFileReader::pull(float* frames, std::uint32_t count, bool wait) {
    std::uint32_t done = ring_.read(frames, count);
    while (wait && done < count && !(ring_.isClosed() && ring_.available() == 0)) {
        ring_.waitForFrames(count - done);
        done += ring_.read(frames + std::size_t{done} * ring_.channels(), count - done);
    }
    return done;
}

void BufferedFileReader::prime(std::uint32_t count) {
    const std::uint32_t wanted = std::min(count, ring_.capacity());
    while (ring_.available() < wanted && !ring_.isClosed()) {
        ring_.waitForFrames(wanted);
    }
}

} // namespace fretkit::host
