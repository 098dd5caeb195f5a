#include "CHFinger.h"

#include "AnimationClock.h"
#include "ShellTestSupport.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// A neck on a page of its own: upright (240 x 400) or lying (480 x 240).
struct Neck {
    QApplication& application = shellApplication();
    QWidget page;
    BZFretboard* fretboard;
    explicit Neck(bool horizontal = false, bool leftHanded = false)
        : fretboard(
              new BZFretboard(horizontal ? QRect(0, 0, 480, 240) : QRect(0, 0, 240, 400), &page)) {
        fretboard->setLeftHanded(leftHanded);
    }
    std::shared_ptr<CHFinger> finger(std::vector<unsigned> strings, unsigned fret = 3,
                                     unsigned root = CHFinger::kNotFound) {
        auto made = BZFinger::fingerForFretboard<CHFinger>(*fretboard);
        made->setTitle(QStringLiteral("1"));
        made->setFret(fret);
        made->setStrings(std::move(strings));
        made->setRootStringIndex(root);
        fretboard->addFinger(made);
        return made;
    }
    // The string's line across the neck, where its disc's middle lies.
    double line(unsigned string) const {
        return static_cast<double>(fretboard->positionOfString(string)) - 2.0;
    }
};

double centreX(const QWidget& view) {
    return view.x() + view.width() / 2.0;
}

QColor colourAt(const QImage& image, QPoint point) {
    return image.pixelColor(point);
}

} // namespace

TEST(CHFinger, ABarreCoversItsOuterStringsInEveryLayoutAndOneStringIsAPlainDisc) {
    Neck right;
    auto barre = right.finger({5, 0, 2, 1, 3, 4});
    EXPECT_EQ(barre->strings(), (std::vector<unsigned>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(barre->size(), QSize(197, 32)); // 32 + 5 x 33
    // Centred between the outer strings, 2 points towards string 0's side (the left here),
    // within the half point a whole-point frame can be off.
    const double between = static_cast<double>(right.fretboard->positionOfString(0) +
                                               right.fretboard->positionOfString(5)) /
                           2.0;
    EXPECT_NEAR(centreX(*barre), between - 2.0, 0.5);
    EXPECT_NEAR(barre->geometry().center().y() + 0.5, right.fretboard->positionOfFinger(3), 0.5);

    Neck left(false, true);
    auto mirrored = left.finger({0, 1, 2, 3, 4, 5});
    EXPECT_EQ(mirrored->size(), QSize(197, 32));
    EXPECT_NEAR(mirrored->x(), left.line(5) - 16, 0.5); // string 5 on the left now
    EXPECT_NEAR(mirrored->x() + mirrored->width(), left.line(0) + 16, 0.5);
    auto part = left.finger({1, 3});
    EXPECT_NEAR(part->x(), left.line(3) - 16, 0.5);
    EXPECT_EQ(part->width(), 32 + 2 * 33);

    Neck lying(true);
    auto across = lying.finger({2, 4}, 5);
    EXPECT_EQ(across->size(), QSize(32, 32 + 2 * 33));
    EXPECT_NEAR(across->y(), lying.line(4) - 16, 0.5); // string 4 above string 2
    EXPECT_NEAR(centreX(*across), lying.fretboard->positionOfFinger(5), 0.5);

    // One string: the frame a plain finger on that cell has.
    for (Neck* neck : {&right, &left, &lying}) {
        auto single = neck->finger({4}, 7);
        auto plain = BZFinger::fingerForFretboard(*neck->fretboard);
        plain->setString(4);
        plain->setFret(7);
        EXPECT_EQ(single->geometry(), plain->geometry());
    }
}

TEST(CHFinger, DrawsACapsuleOnlyForABarreAndOnlyTheRootDiscDark) {
    Neck neck;
    auto barre = neck.finger({1, 3, 5}, 3, 3);
    const QImage image = barre->grab().toImage();
    const auto discCentre = [&](unsigned string) {
        return *barre->discOrigin(string) + QPoint(15, 15);
    };
    for (const unsigned string : {1u, 5u}) {
        const QColor disc = colourAt(image, discCentre(string) + QPoint(-6, 6));
        EXPECT_GT(disc.red(), 150) << "yellow disc on string " << string;
        EXPECT_GT(disc.green(), 100);
    }
    const QColor root = colourAt(image, discCentre(3) + QPoint(-6, 6));
    EXPECT_LT(root.lightness(), 60) << "the root's disc is dark";
    // Between two discs lies the capsule's pale, translucent yellow.
    const QColor bar = colourAt(image, (discCentre(1) + discCentre(3)) / 2);
    EXPECT_GT(bar.alpha(), 60);
    EXPECT_LT(bar.alpha(), 200);
    EXPECT_GT(bar.red(), bar.blue());

    auto single = neck.finger({2}, 6);
    const QImage plain = single->grab().toImage();
    EXPECT_EQ(colourAt(plain, QPoint(1, 1)).alpha(), 0) << "no capsule around one disc";
    EXPECT_GT(colourAt(plain, QPoint(16, 22)).red(), 150);
}

TEST(CHFinger, APluckFlashesAHaloOnItsStringsDiscAloneUntilTheFingerMoves) {
    Neck neck;
    AnimationClock clock;
    neck.page.show();
    auto barre = neck.finger({0, 5}, 1);
    barre->highlightStringIndex(3); // not held
    EXPECT_EQ(barre->halo(3), nullptr);
    barre->highlightStringIndex(5);
    QWidget* halo = barre->halo(5);
    ASSERT_NE(halo, nullptr);
    EXPECT_EQ(barre->halo(0), nullptr);
    // 62 points, centred on string 5's disc.
    EXPECT_EQ(halo->size(), QSize(62, 62));
    const QPointF disc = barre->pos() + *barre->discOrigin(5) + QPointF(15, 15);
    EXPECT_EQ(QRectF(halo->geometry()).center(), disc);
    EXPECT_TRUE(halo->isVisible());
    clock.advance(2.1);
    EXPECT_FALSE(halo->isVisible()) << "faded out";

    barre->highlightStringIndex(5);
    EXPECT_EQ(barre->halo(5), halo) << "the string's halo is used again";
    EXPECT_TRUE(halo->isVisible());
    barre->setFret(2);
    EXPECT_EQ(barre->halo(5), nullptr) << "moved: the halos go";
}
