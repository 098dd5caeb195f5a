#include "support/Subprocess.h"
#include "support/TempDir.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// The app as a user starts it, without a display: offscreen, asked for a picture.
SubprocessResult runApp(const std::string& arguments) {
    return runCommand("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen " +
                      std::string(FRETKIT_APP) + " " + arguments + " 2>&1");
}

} // namespace

TEST(AppLaunch, WritesAPictureOfThePhoneScreenAtBothScales) {
    TempDir dir;
    for (const int scale : {1, 2}) {
        const std::string file = dir.file("screen" + std::to_string(scale) + ".png");
        const SubprocessResult run =
            runApp("--scale " + std::to_string(scale) + " --screenshot " + file);
        ASSERT_EQ(run.status, 0) << run.output;
        const QImage image(QString::fromStdString(file));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), 320 * scale);
        EXPECT_EQ(image.height(), 480 * scale);
        // The navigation bar is drawn: dark at the top, light below it.
        EXPECT_LT(qGray(image.pixel(4, 4)), 128);
        EXPECT_GT(qGray(image.pixel(4, image.height() - 4)), 128);
    }
}

TEST(AppLaunch, BadOptionsAndUnwritablePicturesFailWithAMessage) {
    const SubprocessResult badScale = runApp("--scale 3 --screenshot /tmp/never.png");
    EXPECT_EQ(badScale.status, 2);
    EXPECT_NE(badScale.output.find("--scale"), std::string::npos);

    const SubprocessResult unwritable = runApp("--screenshot /proc/fretkit/screen.png");
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.output.find("cannot write"), std::string::npos);

    const SubprocessResult noDisplay = runApp("");
    EXPECT_EQ(noDisplay.status, 1);
    EXPECT_NE(noDisplay.output.find("--screenshot"), std::string::npos);
}
