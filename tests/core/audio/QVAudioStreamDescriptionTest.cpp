#include "audio/QVAudioStreamDescription.h"

#include "audio/QVAudioTimeStamp.h"
#include "audio/QVTimeBase.h"
#include "foundation/AlertPresenter.h"

#include <gtest/gtest.h>

using namespace fretkit::host;

TEST(QVAudioStreamDescription, DefaultIsCanonicalFixedPointAndRangeSetsSizes) {
    QVAudioStreamDescription d(48000.0, 2);
    EXPECT_EQ(d.rate(), 48000.0);
    EXPECT_EQ(d.channels(), 2u);
    EXPECT_EQ(d.format(), fourCC("lpcm"));
    EXPECT_EQ(d.flags(), 3116u);
    EXPECT_EQ(d.bytesPerPacket(), 4u);
    EXPECT_EQ(d.range(), 32u);

    d.setFlags(0x2C);
    d.setRange(16);
    EXPECT_EQ(d.bytesPerPacket(), 2u);
    EXPECT_EQ(d.description()->mBytesPerFrame, 2u);
    d.setFlags(0x0C); // interleaved: every channel in one frame
    d.setRange(16);
    EXPECT_EQ(d.bytesPerPacket(), 4u);
}

TEST(QVAudioStreamDescription, EqualityIgnoresOnlyTheReservedField) {
    AudioStreamBasicDescription basic = *QVAudioStreamDescription().description();
    basic.mReserved = 7;
    QVAudioStreamDescription reserved(basic);
    EXPECT_TRUE(reserved.isEqualToDescription(QVAudioStreamDescription()));
    basic.mBitsPerChannel = 16;
    EXPECT_FALSE(QVAudioStreamDescription(basic) == QVAudioStreamDescription());
    QVAudioStreamDescription cleared;
    cleared.clear();
    EXPECT_EQ(cleared.rate(), 0.0);
    EXPECT_EQ(cleared.format(), 0u);
}

TEST(QVAudioStreamDescription, CompleteFillsZeroFieldsAndNameDescribes) {
    QVAudioStreamDescription d;
    d.clear();
    d.setFormat(kAudioFormatLinearPCM);
    d.setFlags(0x0C);
    d.setChannels(2);
    AudioStreamBasicDescription basic = *d.description();
    basic.mBitsPerChannel = 16;
    QVAudioStreamDescription partial(basic);
    partial.complete();
    EXPECT_EQ(partial.description()->mBytesPerFrame, 4u);
    EXPECT_EQ(partial.bytesPerPacket(), 4u);
    EXPECT_EQ(partial.framesPerPacket(), 1u);
    EXPECT_NE(QVAudioStreamDescription().name().find("8.24 fixed point"), std::string::npos);
}

TEST(QVAudioStreamDescription, UnknownFormatsAreAlerted) {
    struct Recording final : fretkit::AlertPresenter {
        void present(const fretkit::Alert& alert) override { messages.push_back(alert.message); }
        std::vector<std::string> messages;
    } recording;
    fretkit::AlertPresenter* previous = fretkit::AlertPresenter::install(&recording);
    QVAudioStreamDescription d;
    d.setFormat(fourCC("aac "));
    EXPECT_EQ(d.name(), "");
    d.complete();
    fretkit::AlertPresenter::install(previous);
    ASSERT_EQ(recording.messages.size(), 2u);
    EXPECT_EQ(recording.messages[0].rfind("Retrieving the audio description name failed", 0), 0u);
    EXPECT_EQ(recording.messages[1].rfind("Completing the audio description failed", 0), 0u);
}

TEST(QVTimeBase, ConvertsBothWaysWithSignedDeltas) {
    QVTimeBase base(125.0, 3.0); // one tick is 125/3 ns
    EXPECT_DOUBLE_EQ(base.frequency(), 3.0 / 125.0 * 1e9);
    EXPECT_EQ(base.nanosecondsForHostTime(24), 1000u);
    EXPECT_EQ(base.hostTimeForNanoseconds(1000), 24u);
    EXPECT_EQ(base.nanosecondDeltaForHostStart(100, 124), 1000);
    EXPECT_EQ(base.nanosecondDeltaForHostStart(124, 100), -1000);

    QVTimeBase& shared = QVTimeBase::timeBase();
    EXPECT_EQ(&shared, &QVTimeBase::timeBase());
    const std::uint64_t before = shared.currentNanoseconds();
    EXPECT_GE(shared.currentNanoseconds(), before);
    AudioTimeStamp raw{};
    raw.mSampleTime = 512.0;
    raw.mHostTime = shared.hostTimeForNanoseconds(5'000'000);
    QVAudioTimeStamp stamp(raw);
    EXPECT_EQ(stamp.sample(), 512.0);
    EXPECT_EQ(stamp.nanoseconds(), 5'000'000u);
}
