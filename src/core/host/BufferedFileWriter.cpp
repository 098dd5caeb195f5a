#include "BufferedFileWriter.h"

#include <vector>

namespace fretkit::host {

namespace {

constexpr std::uint32_t kChunkFrames = 4096;

} // namespace

BufferedFileWriter::BufferedFileWriter(std::unique_ptr<AudioFileWriter> writer,
                                       std::uint32_t channels, std::uint32_t capacityFrames)
    : writer_(std::move(writer)), ring_(channels, capacityFrames), thread_([this] { run(); }) {}

BufferedFileWriter::~BufferedFileWriter() {
    finish();
}

BufferedFileWriter::Push BufferedFileWriter::push(const float* frames, std::uint32_t count,
                                                  bool wait) {
    if (hasFailed() || ring_.isClosed()) {
        return Push::Failed;
    }
    if (!wait) {
        // A block goes in whole or not at all, so the file never holds half a buffer.
        return ring_.space() >= count && ring_.write(frames, count) == count ? Push::Queued
                                                                             : Push::NoRoom;
    }
    std::uint32_t done = 0;
    while (done < count) {
        done += ring_.write(frames + std::size_t{done} * ring_.channels(), count - done);
        if (done < count) {
            if (ring_.isClosed()) {
                return Push::Failed;
            }
            ring_.waitForSpace(count - done);
        }
    }
    return Push::Queued;
}

void BufferedFileWriter::run() {
    std::vector<float> chunk(std::size_t{kChunkFrames} * ring_.channels());
    for (;;) {
        const std::uint32_t frames = ring_.read(chunk.data(), kChunkFrames);
        if (frames > 0) {
            if (!hasFailed() && !writer_->write(chunk.data(), frames)) {
                failed_.store(true, std::memory_order_release);
                ring_.close(); // a producer waiting for room learns of it at once
            }
            continue;
        }
        if (ring_.isClosed()) {
            return;
        }
        ring_.waitForFrames(1);
    }
}

bool BufferedFileWriter::finish() {
    if (!finished_) {
        finished_ = true;
        ring_.close();
        thread_.join();
        complete_ = writer_->close() && !hasFailed();
    }
    return complete_;
}

} // namespace fretkit::host
