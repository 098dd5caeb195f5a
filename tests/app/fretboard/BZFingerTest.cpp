#include "fretboard/BZFinger.h"

#include "AnimationClock.h"
#include "FretboardTestSupport.h"
#include "fretboard/BZString.h"
#include "fretboard/BZStringTitle.h"
#include "ui/View.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

struct Neck {
    PhoneWindow phone;
    BZFretboard* fretboard;
    explicit Neck(const QRect& frame = QRect(40, 10, 240, 400), float fretWidth = 55.0f)
        : fretboard(phone.addFretboard(frame, nullptr)) {
        fretboard->setFretWidth(fretWidth);
    }
    std::shared_ptr<BZFinger> finger(unsigned string, unsigned fret) {
        auto made = BZFinger::fingerForFretboard(*fretboard);
        made->setString(string);
        made->setFret(fret);
        fretboard->addFinger(made);
        return made;
    }
};

} // namespace

TEST(Finger, ATitleSizesTheFingerBetween32And36AndTheSameTitleAgainChangesNothing) {
    Neck neck;
    auto finger = neck.finger(2, 5);
    EXPECT_EQ(finger->size(), QSize(32, 32));
    const QPoint centre = finger->geometry().center();
    finger->setTitle(QStringLiteral("1"));
    EXPECT_EQ(finger->width(), 32);
    finger->setTitle(QStringLiteral("Gb7sus4"));
    EXPECT_EQ(finger->width(), 36);
    EXPECT_LE(std::abs(finger->geometry().center().x() - centre.x()), 1); // still on its cell
    finger->setTitle(QStringLiteral("F#"));
    EXPECT_GE(finger->width(), 32);
    EXPECT_LE(finger->width(), 36);
    finger->setTitle(QString());
    EXPECT_EQ(finger->width(), 32);

    finger->setTitle(QStringLiteral("E"));
    QTest::qWait(20);
    PaintCounter counter(*finger);
    finger->setTitle(QStringLiteral("E"));
    QTest::qWait(20);
    EXPECT_EQ(counter.paints, 0);
    finger->setTitle(QStringLiteral("B"));
    EXPECT_TRUE(waitUntil([&] { return counter.paints > 0; }));
}

TEST(Finger, ChangingFretOrStringMovesTheFingerAtOnceToWholePoints) {
    // A lying neck with 91-point frets puts fingers between whole points.
    Neck neck(QRect(0, 100, 320, 240), 91.0f);
    auto finger = neck.finger(0, 0);
    for (const unsigned fret : {1u, 2u, 7u}) {
        finger->setFret(fret);
        const double along = neck.fretboard->positionOfFinger(fret);
        ASSERT_NE(along, std::round(along));
        // Centred on the finger position along, on string 0's line (2 before 195) across.
        EXPECT_EQ(finger->pos(), QPoint(int(std::round(along)) - 16, 193 - 16));
    }
    finger->setString(4);
    EXPECT_EQ(finger->y(), 195 - 4 * 33 - 2 - 16);
    // Upright, string and fret swap axes.
    Neck upright;
    auto standing = upright.finger(3, 2);
    EXPECT_EQ(standing->pos(), QPoint(149 - 2 - 16, int(std::round(20 + 27.5 + 55)) - 16));
}

TEST(Finger, TheHaloFadesOverTwoSecondsAndANewHighlightRestartsIt) {
    Neck neck;
    AnimationClock clock;
    auto finger = neck.finger(1, 3);
    EXPECT_EQ(finger->halo(), nullptr);
    finger->highlight();
    QWidget* halo = finger->halo();
    ASSERT_NE(halo, nullptr);
    // Around the finger, 16 points out on every side, and over it.
    EXPECT_EQ(halo->geometry(), finger->geometry().adjusted(-16, -16, 16, 16));
    EXPECT_TRUE(halo->isVisible());
    clock.advance(1.0);
    const double fading = View::alpha(halo);
    EXPECT_GT(fading, 0.0);
    EXPECT_LT(fading, 0.5); // ease-out: most of it gone half way
    finger->highlight();
    EXPECT_EQ(finger->halo(), halo);
    EXPECT_DOUBLE_EQ(View::alpha(halo), 1.0);
    clock.advance(1.9);
    EXPECT_GT(View::alpha(halo), 0.0);
    clock.advance(0.2);
    EXPECT_DOUBLE_EQ(View::alpha(halo), 0.0);
    EXPECT_FALSE(halo->isVisible());
    // The halo follows its finger.
    finger->highlight();
    finger->setFret(9);
    EXPECT_EQ(halo->geometry(), finger->geometry().adjusted(-16, -16, 16, 16));
}

TEST(Finger, FingersTakenOffTheNeckStayWithTheScreenThatKeepsThem) {
    auto neck = std::make_unique<Neck>();
    auto kept = neck->finger(0, 1);
    auto dropped = neck->finger(1, 1);
    std::weak_ptr<BZFinger> droppedRef = dropped;
    dropped.reset();
    kept->highlight();
    neck->fretboard->removeAllFingers();
    EXPECT_TRUE(neck->fretboard->fingers().empty());
    EXPECT_TRUE(droppedRef.expired());
    EXPECT_EQ(kept->parentWidget(), nullptr);
    EXPECT_FALSE(kept->halo()->isVisible()); // its halo left with it
    neck->fretboard->addFinger(kept);
    EXPECT_EQ(kept->parentWidget(), neck->fretboard->contentView());
    EXPECT_TRUE(kept->isVisible());
    EXPECT_TRUE(kept->halo()->isVisible());
    // The fretboard goes first: the finger lives on, and knows it has no fretboard.
    neck.reset();
    EXPECT_EQ(kept->fretboard(), nullptr);
    EXPECT_EQ(kept->parentWidget(), nullptr);
    kept->setFret(3); // no fretboard to ask: stays where it is
}

TEST(Finger, AMutedStringStaysVisibleAtAThirdOfItsOpacity) {
    screenApplication();
    BZString string(48);
    QPixmap solid(14, 20);
    solid.fill(Qt::red);
    string.setImage(solid);
    string.setPosition(20);
    auto drawn = [&] {
        QImage image(40, 20, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        string.draw(painter);
        painter.end();
        return image;
    };
    EXPECT_EQ(qAlpha(drawn().pixel(20, 10)), 255);
    EXPECT_EQ(qAlpha(drawn().pixel(12, 10)), 0); // drawn from position - 7 on
    string.setMuted(true);
    EXPECT_NEAR(qAlpha(drawn().pixel(20, 10)), 0.33 * 255, 1.5);
    // Without a picture of its own, the bundle's by gauge.
    EXPECT_FALSE(BZString(38).image().isNull());
}

TEST(Finger, AStringTitleMarksTheRootAndTheOpenString) {
    screenApplication();
    BZStringTitle title;
    title.setText(QStringLiteral("E"));
    auto pixelAt = [&](QPoint at) {
        QImage image(title.size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        title.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image.pixel(at);
    };
    // Left of the title text, where the open ring and the root disc lie.
    const QPoint ring(5, 16);
    const QPoint disc(8, 16);
    EXPECT_EQ(qAlpha(pixelAt(ring)), 0);
    EXPECT_EQ(qAlpha(pixelAt(disc)), 0);
    title.setIsOpen(true);
    EXPECT_GT(qAlpha(pixelAt(ring)), 100);
    title.setIsOpen(false);
    title.setIsRoot(true);
    EXPECT_GT(qAlpha(pixelAt(disc)), 200);
}
