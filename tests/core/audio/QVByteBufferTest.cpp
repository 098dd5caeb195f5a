#include "audio/QVByteBuffer.h"

#include "audio/QVAudioBuffer.h"
#include "audio/QVByteBufferError.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

using namespace fretkit::host;

namespace {

std::unique_ptr<QVByteBuffer> filled(std::uint32_t count, std::uint32_t length,
                                     unsigned char first) {
    auto buffer = QVByteBuffer::withNumberOfBuffers(count, length);
    for (std::uint32_t b = 0; b < count; ++b) {
        auto* bytes = static_cast<unsigned char*>(buffer->bufferAtIndex(b));
        for (std::uint32_t i = 0; i < length; ++i) {
            bytes[i] = static_cast<unsigned char>(first + b * 16 + i);
        }
    }
    return buffer;
}

std::vector<unsigned char> bytesOf(const QVByteBuffer& buffer, std::uint32_t index) {
    const auto* data = static_cast<const unsigned char*>(buffer.bufferAtIndex(index));
    return {data, data + buffer.length()};
}

} // namespace

TEST(QVByteBuffer, CreationMakesZeroedSingleChannelBuffersOrFailsWithoutError) {
    QVErrorPtr error;
    auto buffer = QVByteBuffer::withNumberOfBuffers(3, 8, &error);
    ASSERT_TRUE(buffer);
    EXPECT_EQ(buffer->count(), 3u);
    EXPECT_EQ(buffer->length(), 8u);
    EXPECT_EQ(buffer->channelsPerBuffer(), 1u);
    EXPECT_TRUE(buffer->freeWhenDone());
    EXPECT_EQ(bytesOf(*buffer, 2), std::vector<unsigned char>(8, 0));
    EXPECT_EQ(buffer->bufferAtIndex(3), nullptr);

    EXPECT_FALSE(QVByteBuffer::withNumberOfBuffers(0, 8, &error));
    EXPECT_FALSE(error);

    // Zero-length buffers have no data and borrow, yet the list is freed with the object.
    auto empty = QVByteBuffer::withNumberOfBuffers(2, 0);
    ASSERT_TRUE(empty);
    EXPECT_FALSE(empty->freeWhenDone());
    EXPECT_FALSE(empty->hasBuffers());
    EXPECT_EQ(empty->bufferAtIndex(0), nullptr);
}

TEST(QVByteBuffer, GrowingAndShrinkingKeepsBytesAndClearsWhatIsNew) {
    auto buffer = filled(2, 4, 1);
    buffer->setLength(8);
    EXPECT_EQ(bytesOf(*buffer, 0), (std::vector<unsigned char>{1, 2, 3, 4, 0, 0, 0, 0}));
    EXPECT_EQ(bytesOf(*buffer, 1), (std::vector<unsigned char>{17, 18, 19, 20, 0, 0, 0, 0}));

    buffer->setCount(3);
    EXPECT_EQ(buffer->count(), 3u);
    EXPECT_EQ(bytesOf(*buffer, 2), std::vector<unsigned char>(8, 0));
    buffer->setCount(1);
    EXPECT_EQ(buffer->count(), 1u);
    EXPECT_EQ(buffer->bufferAtIndex(1), nullptr);
    buffer->setCount(0);
    EXPECT_EQ(buffer->list(), nullptr);

    // Without a list, setLength builds one buffer.
    QVByteBuffer fresh;
    fresh.setLength(6);
    EXPECT_EQ(fresh.count(), 1u);
    EXPECT_EQ(bytesOf(fresh, 0), std::vector<unsigned char>(6, 0));
}

TEST(QVByteBuffer, ResizingABorrowedListNeverTouchesTheLender) {
    std::vector<unsigned char> lent{9, 8, 7, 6};
    AudioBufferList list{1, {{1, 4, lent.data()}}};
    {
        QVByteBuffer buffer(&list);
        EXPECT_FALSE(buffer.freeWhenDone());
        buffer.setLength(8);
        EXPECT_EQ(bytesOf(buffer, 0), (std::vector<unsigned char>{9, 8, 7, 6, 0, 0, 0, 0}));
        buffer.setCount(2);
        EXPECT_EQ(buffer.count(), 2u);
    }
    EXPECT_EQ(list.mNumberBuffers, 1u);
    EXPECT_EQ(list.mBuffers[0].mData, lent.data());
    EXPECT_EQ(list.mBuffers[0].mDataByteSize, 4u);
    EXPECT_EQ(lent, (std::vector<unsigned char>{9, 8, 7, 6}));
}

TEST(QVByteBuffer, CopyChecksRunInOrderAndFailWithoutCopying) {
    auto source = filled(2, 8, 1);
    auto target = QVByteBuffer::withNumberOfBuffers(2, 8);
    QVByteBuffer unbuilt;
    const auto codeOf = [](bool ok, const QVErrorPtr& error) { return ok ? 0 : error->code(); };
    QVErrorPtr error;

    EXPECT_EQ(codeOf(unbuilt.copyRange({0, 1}, 0, *source, 0, 0, &error), error), 8);
    EXPECT_EQ(codeOf(target->copyRange({0, 1}, 0, *source, 0, 2, &error), error), 2);
    EXPECT_EQ(codeOf(target->copyRange({0, 1}, 2, *source, 0, 0, &error), error), 3);
    EXPECT_EQ(codeOf(target->copyRange({0, 4}, 0, *source, 5, 0, &error), error), 4);
    EXPECT_EQ(codeOf(target->copyRange({5, 4}, 0, *source, 0, 0, &error), error), 5);
    // Index checks come before range checks.
    EXPECT_EQ(codeOf(target->copyRange({7, 9}, 5, *source, 9, 0, &error), error), 3);
    EXPECT_EQ(error->localizedDescription(),
              "Copying between buffers failed because the source buffer index was out of range.");
    EXPECT_EQ(bytesOf(*target, 0), std::vector<unsigned char>(8, 0));

    auto three = QVByteBuffer::withNumberOfBuffers(3, 8);
    EXPECT_EQ(codeOf(target->copyRange({0, 1}, *three, 0, &error), error), 7);
    auto shorter = QVByteBuffer::withNumberOfBuffers(2, 4);
    EXPECT_EQ(codeOf(target->copyBufferAtIndex(0, *shorter, 0, &error), error), 6);

    ASSERT_TRUE(target->copyRange({2, 3}, 1, *source, 4, 0, &error));
    EXPECT_EQ(bytesOf(*target, 0), (std::vector<unsigned char>{0, 0, 0, 0, 19, 20, 21, 0}));
    ASSERT_TRUE(target->copyAudioBuffer(*source, &error));
    EXPECT_EQ(bytesOf(*target, 1), bytesOf(*source, 1));
}

TEST(QVByteBuffer, CopyDuplicatesBytesAndClassButNotRangeOrChannels) {
    auto audio = QVAudioBuffer::bufferWithChannels(2, 3);
    audio->setSampleValue(-5, 2, 1);
    audio->setRange({4, 5});
    audio->setChannelsPerBuffer(2);
    std::unique_ptr<QVByteBuffer> copied = static_cast<const QVByteBuffer&>(*audio).copy();
    ASSERT_TRUE(copied);
    auto* asAudio = dynamic_cast<QVAudioBuffer*>(copied.get());
    ASSERT_NE(asAudio, nullptr);
    EXPECT_EQ(asAudio->sampleValueAtIndex(2, 1), -5);
    EXPECT_NE(asAudio->channel(1), audio->channel(1));
    EXPECT_EQ(asAudio->range(), (QVRange{0, 0}));
    EXPECT_EQ(asAudio->channelsPerBuffer(), 1u);
}

TEST(QVByteBuffer, RangeCursorMoves) {
    QVByteBuffer buffer;
    buffer.setRange({10, 3});
    buffer.incrementRangeLocation();
    buffer.incrementRangeLocation(4);
    buffer.incrementRangeLength(2);
    EXPECT_EQ(buffer.range(), (QVRange{15, 5}));
    buffer.resetRange();
    EXPECT_EQ(buffer.range(), (QVRange{0, 0}));
}
