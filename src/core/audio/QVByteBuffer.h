#pragma once

#include "QVError.h"
#include "host/AudioTypes.h"

#include <atomic>
#include <cstdint>
#include <memory>

// A position and a length kept with a buffer for its users (players advance through a sound
// with it).
struct QVRange {
    std::uint32_t location = 0;
    std::uint32_t length = 0;
    bool operator==(const QVRange&) const = default;
};

// An owner, or a borrower, of an AudioBufferList. Lists made here hold `count` buffers of one
// channel each, all of the same byte length. A borrowing buffer (wrapping the list a render
// callback gets, or one made with zero-length buffers) never frees anything.
class QVByteBuffer {
public:
    QVByteBuffer() = default;
    explicit QVByteBuffer(fretkit::host::AudioBufferList* bufferList, bool freeWhenDone = false);
    virtual ~QVByteBuffer();
    QVByteBuffer(const QVByteBuffer&) = delete;
    QVByteBuffer& operator=(const QVByteBuffer&) = delete;

    // A new owning buffer with `count` zeroed buffers of `length` bytes, or null (error filled).
    static std::unique_ptr<QVByteBuffer>
    withNumberOfBuffers(std::uint32_t count, std::uint32_t length, QVErrorPtr* error = nullptr);

    // Replaces the list with a new one. Zero buffers fail without an error object.
    bool createWithNumberOfBuffers(std::uint32_t count, std::uint32_t length,
                                   QVErrorPtr* error = nullptr);
    // Frees the list when this buffer owns it.
    void destroy();

    fretkit::host::AudioBufferList* list() const { return bufferList_; }
    bool freeWhenDone() const { return freeWhenDone_; }
    bool hasBuffers() const;

    std::uint32_t count() const;
    // Forms without an error out-parameter alert a failure.
    void setCount(std::uint32_t count);
    bool setCount(std::uint32_t count, QVErrorPtr* error);
    std::uint32_t length() const;
    void setLength(std::uint32_t length);
    bool setLength(std::uint32_t length, QVErrorPtr* error);
    std::uint32_t channelsPerBuffer() const;
    void setChannelsPerBuffer(std::uint32_t channels);

    void* bufferAtIndex(std::uint32_t index) const;
    void* buffer() const { return bufferAtIndex(0); }

    void clear();
    void clearChannel(std::uint32_t index);

    QVRange range() const;
    void setRange(QVRange range);
    void resetRange() { setRange({}); }
    void incrementRangeLocation(std::uint32_t by = 1);
    void incrementRangeLength(std::uint32_t by = 1);

    // Byte copies from another buffer into this one; every check precedes the copy, so a
    // failure changes nothing.
    bool copyRange(QVRange range, std::uint32_t sourceIndex, const QVByteBuffer& source,
                   std::uint32_t position, std::uint32_t destinationIndex,
                   QVErrorPtr* error = nullptr);
    bool copyRange(QVRange range, const QVByteBuffer& source, std::uint32_t position,
                   QVErrorPtr* error = nullptr);
    bool copyAudioBuffer(const QVByteBuffer& source, std::uint32_t position,
                         QVErrorPtr* error = nullptr);
    bool copyAudioBuffer(const QVByteBuffer& source, QVErrorPtr* error = nullptr);
    bool copyBufferAtIndex(std::uint32_t sourceIndex, const QVByteBuffer& source,
                           std::uint32_t destinationIndex, QVErrorPtr* error = nullptr);

    // A new buffer of this buffer's class with the same count, length and bytes (not the range
    // nor the channels per buffer); null, after an alert, when it cannot be made.
    std::unique_ptr<QVByteBuffer> copy() const;

protected:
    // An empty buffer of the receiver's class, for copy().
    virtual std::unique_ptr<QVByteBuffer> makeEmpty() const;

private:
    bool adopt();
    bool hasAnyData() const;
    bool growCount(std::uint32_t count);
    bool shrinkCount(std::uint32_t count);

    fretkit::host::AudioBufferList* bufferList_ = nullptr;
    bool freeWhenDone_ = false; // the data blocks are ours to free
    bool ownsList_ = false;     // the list itself was allocated here
    std::atomic<std::uint64_t> range_{0};
};
