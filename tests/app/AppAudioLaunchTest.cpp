#include "support/Subprocess.h"
#include "support/TempDir.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace {

SubprocessResult runApp(const std::string& arguments) {
    return runCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u FRETKIT_AUDIO -u FRETKIT_AUDIO_INPUT "
                      "QT_QPA_PLATFORM=offscreen " +
                      std::string(FRETKIT_APP) + " " + arguments + " 2>&1");
}

// A short mono 16-bit WAV of a 110 Hz tone.
std::string writeTone(const TempDir& dir) {
    const std::uint32_t frames = 4410;
    std::vector<std::int16_t> samples(frames);
    for (std::uint32_t i = 0; i < frames; ++i) {
        samples[i] = static_cast<std::int16_t>(8000.0 * std::sin(2.0 * M_PI * 110.0 * i / 44100.0));
    }
    auto le32 = [](std::uint32_t v) {
        return std::string{static_cast<char>(v), static_cast<char>(v >> 8),
                           static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
    };
    auto le16 = [](std::uint16_t v) {
        return std::string{static_cast<char>(v), static_cast<char>(v >> 8)};
    };
    const std::uint32_t bytes = frames * 2;
    std::string wav = "RIFF" + le32(36 + bytes) + "WAVEfmt " + le32(16) + le16(1) + le16(1) +
                      le32(44100) + le32(88200) + le16(2) + le16(16) + "data" + le32(bytes);
    wav.append(reinterpret_cast<const char*>(samples.data()), bytes);
    return dir.write("tone.wav", wav);
}

} // namespace

TEST(AppAudioLaunch, StartsOnTheChosenDriverOrARecording) {
    TempDir dir;
    const std::string picture = dir.file("screen.png");
    const SubprocessResult virtualDriver = runApp("--audio virtual --screenshot " + picture);
    EXPECT_EQ(virtualDriver.status, 0) << virtualDriver.output;

    // The recording may end before the picture is taken: no failure either way.
    const SubprocessResult recording =
        runApp("--input " + writeTone(dir) + " --kit-demo cells --screenshot " + picture);
    EXPECT_EQ(recording.status, 0) << recording.output;
    EXPECT_EQ(recording.output.find("failed"), std::string::npos) << recording.output;
}

TEST(AppAudioLaunch, BadAudioOptionsFailWithAMessage) {
    const SubprocessResult unknown = runApp("--audio tape --screenshot /tmp/never.png");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.output.find("unknown audio driver 'tape'"), std::string::npos);

    const SubprocessResult unreadable =
        runApp("--input /nonexistent/take.wav --screenshot /tmp/never.png");
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_NE(unreadable.output.find("take.wav"), std::string::npos);

    const SubprocessResult clash =
        runApp("--audio virtual --input /tmp/take.wav --screenshot /tmp/never.png");
    EXPECT_EQ(clash.status, 2);
    EXPECT_NE(clash.output.find("--input"), std::string::npos);
}
