#include "chordfinder/CFStringPlayer.h"

#include "foundation/Bundle.h"
#include "support/StringSamples.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using fretkit::Bundle;
using fretkit::CFStringPlayer;
using namespace string_samples;

namespace {

bool renders(CFStringPlayer& strings, double time) {
    auto out = QVAudioBuffer::bufferWithChannels(2, 512);
    return strings.player().renderAudioToBuffer(*out, at(time));
}

TEST(CFStringPlayerTest, SamplesComeFromTheLibraryByTuningDetuneAndFret) {
    TempDir dir;
    ASSERT_TRUE(writeStringSample(dir.path().string(), 0, 43, 48000, 0.5)); // D tuning + 1, fret 2
    Bundle bundle(dir.path().string());
    CFStringPlayer strings(std::make_shared<QVRenderLock>(), bundle, 44100.0);
    strings.setTuning({62, 57, 53, 48, 43, 38}, 3);
    strings.setFret(0, 2);
    EXPECT_EQ(strings.loadAudioForString(0), "");
    const auto first = strings.library().sampleForString(0, 43);
    EXPECT_EQ(strings.library().count(), 1u);
    EXPECT_EQ(strings.library().sampleForString(0, 43), first) << "decoded once, then kept";
    EXPECT_EQ(first->frames(), 88200u);
    strings.playString(0);
    EXPECT_TRUE(renders(strings, 512.0));
}

TEST(CFStringPlayerTest, MutedOrMissingStringsStaySilent) {
    TempDir dir;
    ASSERT_TRUE(writeStringSample(dir.path().string(), 5, 64, 44100, 0.5));
    Bundle bundle(dir.path().string());
    CFStringPlayer strings(std::make_shared<QVRenderLock>(), bundle, 44100.0);
    EXPECT_EQ(strings.loadAudioForString(4), "04_59.aif is missing");
    strings.playString(4);
    EXPECT_FALSE(renders(strings, 512.0));
    strings.setMuted(5, true);
    EXPECT_EQ(strings.loadAudioForString(5), "");
    strings.playString(5);
    EXPECT_FALSE(renders(strings, 1024.0)) << "a muted string is never played";
    strings.setMuted(5, false);
    strings.loadAudioForString(5);
    strings.playString(5);
    EXPECT_TRUE(renders(strings, 1536.0));
}

} // namespace
