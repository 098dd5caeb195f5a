#include "shell/BZAudioOptions.h"

#include "ScreenTestSupport.h"

#include <QCommandLineParser>
#include <gtest/gtest.h>

using namespace fretkit::host;

namespace {

// The device options a command line gives, with the environment's choice set to `environment`.
std::optional<AudioDeviceOptions> optionsFor(QStringList arguments, const char* environment,
                                             std::string* error) {
    screenApplication();
    if (environment != nullptr) {
        setenv(AudioDeviceOptions::kDriverVariable, environment, 1);
    } else {
        unsetenv(AudioDeviceOptions::kDriverVariable);
    }
    unsetenv(AudioDeviceOptions::kInputVariable);
    const BZAudioOptions options;
    QCommandLineParser parser;
    options.addTo(parser);
    arguments.prepend(QStringLiteral("fretkit-app"));
    EXPECT_TRUE(parser.parse(arguments));
    auto result = options.deviceOptions(parser, error);
    unsetenv(AudioDeviceOptions::kDriverVariable);
    return result;
}

} // namespace

TEST(BZAudioOptions, ChoosesTheDriverFromTheCommandLineOverTheEnvironment) {
    std::string error;
    auto none = optionsFor({}, nullptr, &error);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->driver, ""); // a sound card, else the virtual device

    auto environment = optionsFor({}, "virtual", &error);
    ASSERT_TRUE(environment);
    EXPECT_EQ(environment->driver, "virtual");

    auto chosen = optionsFor({"--audio", "offline"}, "virtual", &error);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->driver, "offline");

    // A recording chooses the file driver, even over the environment's choice.
    auto recording = optionsFor({"--input", "/tmp/a.wav"}, "portaudio", &error);
    ASSERT_TRUE(recording);
    EXPECT_EQ(recording->driver, "file");
    EXPECT_EQ(recording->inputFile, "/tmp/a.wav");
    EXPECT_TRUE(recording->realTime);
}

TEST(BZAudioOptions, AnOutputFileGoesThroughTheFileDriverOnly) {
    std::string error;
    auto written = optionsFor({"--output", "/tmp/o.wav"}, "virtual", &error);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->driver, "file");
    EXPECT_EQ(written->outputFile, "/tmp/o.wav");
    auto both = optionsFor({"--input", "/tmp/a.wav", "--output", "/tmp/o.wav"}, nullptr, &error);
    ASSERT_TRUE(both);
    EXPECT_EQ(both->inputFile, "/tmp/a.wav");
    EXPECT_EQ(both->outputFile, "/tmp/o.wav");
    EXPECT_FALSE(optionsFor({"--audio", "virtual", "--output", "/tmp/o.wav"}, nullptr, &error));
    EXPECT_NE(error.find("--output"), std::string::npos) << error;
}
