#include "host/AudioFileWriter.h"
#include "support/Subprocess.h"
#include "support/TempDir.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace fretkit::host;

namespace {

SubprocessResult runApp(const std::string& arguments) {
    return runCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u FRETKIT_AUDIO -u FRETKIT_AUDIO_INPUT "
                      "QT_QPA_PLATFORM=offscreen " +
                      std::string(FRETKIT_APP) + " " + arguments + " 2>&1");
}

} // namespace

TEST(AppAudioLaunch, StartsOnTheChosenDriverOrARecordingAndRefusesBadChoices) {
    TempDir dir;
    const std::string picture = dir.file("screen.png");
    const SubprocessResult virtualDriver = runApp("--audio virtual --screenshot " + picture);
    EXPECT_EQ(virtualDriver.status, 0) << virtualDriver.output;

    // A tenth of a second of 110 Hz; it ends before the picture is taken, which is no failure.
    const std::string tone = dir.file("tone.wav");
    std::vector<float> samples(4410);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] =
            0.25f * std::sin(2.0f * 3.14159265f * 110.0f * static_cast<float>(i) / 44100.0f);
    }
    auto writer = AudioFileWriter::create(tone, 44100.0, 1, nullptr);
    ASSERT_TRUE(writer && writer->write(samples.data(), 4410) && writer->close());
    const SubprocessResult recording =
        runApp("--input " + tone + " --kit-demo cells --screenshot " + picture);
    EXPECT_EQ(recording.status, 0) << recording.output;
    EXPECT_EQ(recording.output.find("failed"), std::string::npos) << recording.output;

    const SubprocessResult unknown = runApp("--audio tape --screenshot " + picture);
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.output.find("unknown audio driver 'tape'"), std::string::npos);
    const SubprocessResult clash =
        runApp("--audio virtual --input " + tone + " --screenshot " + picture);
    EXPECT_EQ(clash.status, 2);
    EXPECT_NE(clash.output.find("--input"), std::string::npos);
    const SubprocessResult unreadable =
        runApp("--input " + dir.file("none.wav") + " --screenshot " + picture);
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_NE(unreadable.output.find("none.wav"), std::string::npos);
}
