#include "QVByteBuffer.h"

#include "QVByteBufferError.h"
#include "foundation/Bundle.h"

#include <cstdlib>
#include <cstring>

using namespace fretkit::host;

namespace {

std::string localized(const char* action) {
    return fretkit::Bundle::main().localizedString(action);
}

bool fail(QVErrorPtr* error, std::int32_t code, const std::string& action) {
    if (error != nullptr) {
        *error = QVByteBufferError::errorWithCode(code, action);
    }
    return false;
}

AudioBufferList* allocateList(std::uint32_t count) {
    auto* list = static_cast<AudioBufferList*>(std::calloc(1, audioBufferListSize(count)));
    if (list != nullptr) {
        list->mNumberBuffers = count;
    }
    return list;
}

} // namespace

QVByteBuffer::QVByteBuffer(AudioBufferList* bufferList, bool freeWhenDone)
    : bufferList_(bufferList), freeWhenDone_(freeWhenDone), ownsList_(freeWhenDone) {}

QVByteBuffer::~QVByteBuffer() {
    destroy();
}

std::unique_ptr<QVByteBuffer>
QVByteBuffer::withNumberOfBuffers(std::uint32_t count, std::uint32_t length, QVErrorPtr* error) {
    auto buffer = std::make_unique<QVByteBuffer>();
    if (!buffer->createWithNumberOfBuffers(count, length, error)) {
        return nullptr;
    }
    return buffer;
}

bool QVByteBuffer::createWithNumberOfBuffers(std::uint32_t count, std::uint32_t length,
                                             QVErrorPtr* error) {
    if (bufferList_ != nullptr) {
        destroy();
    }
    if (count == 0) {
        return false;
    }
    AudioBufferList* list = allocateList(count);
    if (list == nullptr) {
        return fail(error, 1, "Creating the audio buffer list");
    }
    bufferList_ = list;
    ownsList_ = true;
    freeWhenDone_ = true; // frees what it allocated should a later block fail
    for (std::uint32_t i = 0; i < count; ++i) {
        AudioBuffer& buffer = audioBufferAt(*list, i);
        buffer.mNumberChannels = 1;
        buffer.mDataByteSize = length;
        buffer.mData = nullptr;
        if (length > 0) {
            buffer.mData = std::calloc(1, length);
            if (buffer.mData == nullptr) {
                destroy();
                return fail(error, 1, "Creating an audio buffer");
            }
        }
    }
    freeWhenDone_ = length > 0;
    return true;
}

void QVByteBuffer::destroy() {
    if (bufferList_ == nullptr || (!freeWhenDone_ && !ownsList_)) {
        return; // a borrowed list stays as it is
    }
    if (freeWhenDone_) {
        for (std::uint32_t i = 0; i < bufferList_->mNumberBuffers; ++i) {
            std::free(audioBufferAt(*bufferList_, i).mData);
        }
    }
    // A list of zero-length buffers made here holds no data but is ours all the same.
    std::free(bufferList_);
    bufferList_ = nullptr;
    ownsList_ = false;
}

bool QVByteBuffer::adopt() {
    if (ownsList_ && (freeWhenDone_ || !hasAnyData())) {
        return true;
    }
    // Resizing never touches memory this buffer does not own: a borrowed list and its blocks
    // are first copied into our own.
    const std::uint32_t n = bufferList_->mNumberBuffers;
    AudioBufferList* list = allocateList(n);
    if (list == nullptr) {
        return false;
    }
    for (std::uint32_t i = 0; i < n; ++i) {
        const AudioBuffer& from = audioBufferAt(*bufferList_, i);
        AudioBuffer& to = audioBufferAt(*list, i);
        to = {from.mNumberChannels, from.mDataByteSize, nullptr};
        if (from.mData != nullptr && from.mDataByteSize > 0) {
            to.mData = std::malloc(from.mDataByteSize);
            if (to.mData == nullptr) {
                for (std::uint32_t j = 0; j < i; ++j) {
                    std::free(audioBufferAt(*list, j).mData);
                }
                std::free(list);
                return false;
            }
            std::memcpy(to.mData, from.mData, from.mDataByteSize);
        }
    }
    if (ownsList_) {
        std::free(bufferList_);
    }
    bufferList_ = list;
    ownsList_ = true;
    freeWhenDone_ = true;
    return true;
}

bool QVByteBuffer::hasAnyData() const {
    for (std::uint32_t i = 0; i < count(); ++i) {
        if (audioBufferAt(*bufferList_, i).mData != nullptr) {
            return true;
        }
    }
    return false;
}

bool QVByteBuffer::hasBuffers() const {
    return bufferList_ != nullptr && bufferList_->mNumberBuffers > 0 &&
           audioBufferAt(*bufferList_, 0).mData != nullptr;
}

std::uint32_t QVByteBuffer::count() const {
    return bufferList_ != nullptr ? bufferList_->mNumberBuffers : 0;
}

void QVByteBuffer::setCount(std::uint32_t count) {
    QVErrorPtr error;
    if (!setCount(count, &error)) {
        QVError::alert(error.get());
    }
}

bool QVByteBuffer::setCount(std::uint32_t count, QVErrorPtr* error) {
    if (bufferList_ == nullptr) {
        return createWithNumberOfBuffers(count, 0, error);
    }
    const std::uint32_t old = bufferList_->mNumberBuffers;
    if (count == old) {
        return true;
    }
    if (count == 0) {
        destroy();
        return true;
    }
    if (!adopt()) {
        return false;
    }
    return count < old ? shrinkCount(count) : growCount(count);
}

bool QVByteBuffer::shrinkCount(std::uint32_t count) {
    for (std::uint32_t i = count; i < bufferList_->mNumberBuffers; ++i) {
        AudioBuffer& buffer = audioBufferAt(*bufferList_, i);
        std::free(buffer.mData);
        buffer.mData = nullptr;
    }
    bufferList_->mNumberBuffers = count;
    if (void* smaller = std::realloc(bufferList_, audioBufferListSize(count))) {
        bufferList_ = static_cast<AudioBufferList*>(smaller);
    }
    return true;
}

bool QVByteBuffer::growCount(std::uint32_t count) {
    auto* list =
        static_cast<AudioBufferList*>(std::realloc(bufferList_, audioBufferListSize(count)));
    if (list == nullptr) {
        return false;
    }
    bufferList_ = list;
    const AudioBuffer first = audioBufferAt(*list, 0);
    for (std::uint32_t i = list->mNumberBuffers; i < count; ++i) {
        AudioBuffer& buffer = audioBufferAt(*list, i);
        buffer = {first.mNumberChannels, first.mDataByteSize, nullptr};
        if (first.mDataByteSize > 0) {
            buffer.mData = std::calloc(1, first.mDataByteSize);
            if (buffer.mData == nullptr) {
                list->mNumberBuffers = i;
                return false;
            }
            freeWhenDone_ = true;
        }
        list->mNumberBuffers = i + 1;
    }
    return true;
}

std::uint32_t QVByteBuffer::length() const {
    return count() > 0 ? audioBufferAt(*bufferList_, 0).mDataByteSize : 0;
}

void QVByteBuffer::setLength(std::uint32_t length) {
    QVErrorPtr error;
    if (!setLength(length, &error)) {
        QVError::alert(error.get());
    }
}

bool QVByteBuffer::setLength(std::uint32_t length, QVErrorPtr* error) {
    if (bufferList_ == nullptr) {
        return createWithNumberOfBuffers(1, length, error);
    }
    if (length == this->length()) {
        return true;
    }
    if (!adopt()) {
        return false;
    }
    for (std::uint32_t i = 0; i < bufferList_->mNumberBuffers; ++i) {
        AudioBuffer& buffer = audioBufferAt(*bufferList_, i);
        const std::uint32_t old = buffer.mData != nullptr ? buffer.mDataByteSize : 0;
        void* data = nullptr;
        if (length == 0) {
            std::free(buffer.mData);
        } else {
            data =
                buffer.mData != nullptr ? std::realloc(buffer.mData, length) : std::malloc(length);
            if (data == nullptr) {
                return false;
            }
        }
        // Bytes beyond the old length are cleared, so stale memory never reaches the output.
        if (data != nullptr && length > old) {
            std::memset(static_cast<char*>(data) + old, 0, length - old);
        }
        buffer.mData = data;
        buffer.mDataByteSize = length;
    }
    freeWhenDone_ = freeWhenDone_ || length > 0;
    return true;
}

std::uint32_t QVByteBuffer::channelsPerBuffer() const {
    return count() > 0 ? audioBufferAt(*bufferList_, 0).mNumberChannels : 0;
}

void QVByteBuffer::setChannelsPerBuffer(std::uint32_t channels) {
    for (std::uint32_t i = 0; i < count(); ++i) {
        audioBufferAt(*bufferList_, i).mNumberChannels = channels;
    }
}

void* QVByteBuffer::bufferAtIndex(std::uint32_t index) const {
    return index < count() ? audioBufferAt(*bufferList_, index).mData : nullptr;
}

void QVByteBuffer::clear() {
    for (std::uint32_t i = 0; i < count(); ++i) {
        clearChannel(i);
    }
}

void QVByteBuffer::clearChannel(std::uint32_t index) {
    if (index < count()) {
        AudioBuffer& buffer = audioBufferAt(*bufferList_, index);
        if (buffer.mData != nullptr) {
            std::memset(buffer.mData, 0, buffer.mDataByteSize);
        }
    }
}

QVRange QVByteBuffer::range() const {
    const std::uint64_t packed = range_.load();
    return {static_cast<std::uint32_t>(packed >> 32), static_cast<std::uint32_t>(packed)};
}

void QVByteBuffer::setRange(QVRange range) {
    range_.store((std::uint64_t{range.location} << 32) | range.length);
}

void QVByteBuffer::incrementRangeLocation(std::uint32_t by) {
    range_.fetch_add(std::uint64_t{by} << 32);
}

void QVByteBuffer::incrementRangeLength(std::uint32_t by) {
    std::uint64_t packed = range_.load();
    std::uint64_t next = 0;
    do {
        const auto length = static_cast<std::uint32_t>(packed) + by;
        next = (packed & 0xFFFFFFFF00000000u) | length;
    } while (!range_.compare_exchange_weak(packed, next));
}

bool QVByteBuffer::copyRange(QVRange range, std::uint32_t sourceIndex, const QVByteBuffer& source,
                             std::uint32_t position, std::uint32_t destinationIndex,
                             QVErrorPtr* error) {
    const auto phrase = [] { return localized("Copying between buffers"); };
    if (bufferList_ == nullptr) {
        return fail(error, 8, phrase());
    }
    if (destinationIndex >= count()) {
        return fail(error, 2, phrase());
    }
    if (sourceIndex >= source.count()) {
        return fail(error, 3, phrase());
    }
    if (std::uint64_t{position} + range.length > length()) {
        return fail(error, 4, phrase());
    }
    if (std::uint64_t{range.location} + range.length > source.length()) {
        return fail(error, 5, phrase());
    }
    if (range.length > 0) {
        std::memmove(static_cast<char*>(bufferAtIndex(destinationIndex)) + position,
                     static_cast<const char*>(source.bufferAtIndex(sourceIndex)) + range.location,
                     range.length);
    }
    return true;
}

bool QVByteBuffer::copyRange(QVRange range, const QVByteBuffer& source, std::uint32_t position,
                             QVErrorPtr* error) {
    if (count() != source.count()) {
        return fail(error, 7, localized("Copying a buffer range"));
    }
    for (std::uint32_t i = 0; i < count(); ++i) {
        if (!copyRange(range, i, source, position, i, error)) {
            return false;
        }
    }
    return true;
}

bool QVByteBuffer::copyAudioBuffer(const QVByteBuffer& source, std::uint32_t position,
                                   QVErrorPtr* error) {
    return copyRange({0, source.length()}, source, position, error);
}

bool QVByteBuffer::copyAudioBuffer(const QVByteBuffer& source, QVErrorPtr* error) {
    return copyAudioBuffer(source, 0, error);
}

bool QVByteBuffer::copyBufferAtIndex(std::uint32_t sourceIndex, const QVByteBuffer& source,
                                     std::uint32_t destinationIndex, QVErrorPtr* error) {
    if (length() != source.length()) {
        return fail(error, 6, localized("Copying a buffer channel"));
    }
    return copyRange({0, source.length()}, sourceIndex, source, 0, destinationIndex, error);
}

std::unique_ptr<QVByteBuffer> QVByteBuffer::copy() const {
    std::unique_ptr<QVByteBuffer> result = makeEmpty();
    QVErrorPtr error;
    if (!result->createWithNumberOfBuffers(count(), length(), &error)) {
        QVError::alert(error.get());
        return nullptr;
    }
    for (std::uint32_t i = 0; i < count(); ++i) {
        if (!result->copyBufferAtIndex(i, *this, i, &error)) {
            QVError::alert(error.get());
            return nullptr;
        }
    }
    return result;
}

std::unique_ptr<QVByteBuffer> QVByteBuffer::makeEmpty() const {
    return std::make_unique<QVByteBuffer>();
}
