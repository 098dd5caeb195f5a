#include "FretboardTestSupport.h"
#include "ui/ScreenImage.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

// The neck's picture at scale 2, in the content view's coordinates.
class Picture {
public:
    explicit Picture(BZFretboardContent& content) {
        ScreenImage::setScale(2);
        image_ = QImage(content.size() * 2, QImage::Format_ARGB32);
        image_.setDevicePixelRatio(2);
        image_.fill(Qt::transparent);
        QPainter painter(&image_);
        content.drawNeck(painter, content.rect());
    }
    QColor at(double x, double y) const {
        return image_.pixelColor(int(std::lround(x * 2)), int(std::lround(y * 2)));
    }
    // Nickel and steel are grey; maple is yellow.
    bool metal(double x, double y) const {
        const QColor c = at(x, y);
        return c.alpha() == 255 && std::abs(c.red() - c.blue()) < 30 && c.red() > 100;
    }
    bool maple(double x, double y) const {
        const QColor c = at(x, y);
        return c.alpha() == 255 && c.red() - c.blue() > 60;
    }

private:
    QImage image_;
};

} // namespace

TEST(FretboardDrawing, WoodWiresAndStringsLieWhereTheGeometrySaysInEveryLayout) {
    screenApplication();
    for (const bool lying : {false, true}) {
        for (const bool leftHanded : {false, true}) {
            SCOPED_TRACE(testing::Message() << "lying " << lying << " left " << leftHanded);
            BZFretboard fretboard(lying ? QRect(0, 0, 480, 240) : QRect(0, 0, 240, 343));
            fretboard.setFretWidth(lying ? 95.0f : 55.0f);
            fretboard.setLeftHanded(leftHanded);
            BZFretboardContent& content = *fretboard.contentView();
            const Picture picture(content);
            // Points along and across, in the view's own x and y.
            auto point = [&](double along, double across) {
                return lying ? QPointF(along, across) : QPointF(across, along);
            };
            const double between =
                (fretboard.positionOfString(2) + fretboard.positionOfString(3)) / 2;
            for (const unsigned fret : {1u, 5u, 11u}) {
                const QPointF wire = point(fretboard.positionOfFret(fret), between + 8);
                EXPECT_TRUE(picture.metal(wire.x(), wire.y())) << "fret " << fret;
                const QPointF wood =
                    point((fretboard.positionOfFret(fret) + fretboard.positionOfFinger(fret)) / 2,
                          between + 8);
                EXPECT_TRUE(picture.maple(wood.x(), wood.y())) << "fret " << fret;
            }
            // Each string's line, 2 points before its position, in the middle of fret space 4.
            for (unsigned s = 0; s < 6; ++s) {
                const QPointF line =
                    point(fretboard.positionOfFinger(4) + 9, fretboard.positionOfString(s) - 2);
                EXPECT_TRUE(picture.metal(line.x(), line.y())) << "string " << s;
            }
            // The nut sits at fret wire 0: bone, lighter than maple.
            const QPointF nut = point(fretboard.positionOfFret(0), between + 8);
            const QColor bone = picture.at(nut.x(), nut.y());
            EXPECT_GT(bone.blue(), 170) << bone.name().toStdString();
        }
    }
}
