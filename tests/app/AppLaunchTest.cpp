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
        // The status bar is black; the navigation bar under it carries a light title.
        EXPECT_LT(qGray(image.pixel(4, 4)), 32);
        int lightInBar = 0;
        for (int y = 20 * scale; y < 64 * scale; ++y) {
            for (int x = 0; x < image.width(); ++x) {
                lightInBar += qGray(image.pixel(x, y)) > 200 ? 1 : 0;
            }
        }
        EXPECT_GT(lightInBar, 20 * scale * scale);
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

TEST(AppLaunch, DrawsEveryPageOfTheInterfaceKitAtBothScales) {
    TempDir dir;
    for (const char* page :
         {"cells", "list", "picker", "note", "name", "about", "curtain", "strip"}) {
        for (const int scale : {1, 2}) {
            const std::string file = dir.file(std::string(page) + std::to_string(scale) + ".png");
            const SubprocessResult run = runApp("--scale " + std::to_string(scale) +
                                                " --kit-demo " + page + " --screenshot " + file);
            ASSERT_EQ(run.status, 0) << page << ": " << run.output;
            const QImage image(QString::fromStdString(file));
            ASSERT_EQ(image.size(), QSize(320 * scale, 480 * scale)) << page;
            // The page below the bars is drawn: wood, cells and text, not one flat colour.
            const QRgb sample = image.pixel(40 * scale, 300 * scale);
            int differing = 0;
            for (int y = 70 * scale; y < image.height(); y += 7) {
                for (int x = 0; x < image.width(); x += 7) {
                    differing += image.pixel(x, y) != sample ? 1 : 0;
                }
            }
            EXPECT_GT(differing, 100) << page;
        }
    }
    const SubprocessResult unknown = runApp("--kit-demo nothing --screenshot /tmp/never.png");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.output.find("cells"), std::string::npos);
}
