#include "KitTestBundle.h"
#include "foundation/UserDefaults.h"
#include "kit/QVAbout.h"
#include "kit/QVAboutIconCell.h"
#include "kit/QVHintCurtain.h"
#include "kit/QVLabel.h"
#include "kit/QVTableView.h"
#include "kit/QVTableViewCell.h"
#include "kit/QVViewFrame.h"
#include "support/LogCapture.h"
#include "ui/NavigationController.h"
#include "ui/PhoneScreen.h"
#include "ui/UrlOpener.h"
#include "ui/WebView.h"

#include <gtest/gtest.h>

using fretkit::PlistValue;

namespace {

struct Screen {
    const TempDir& bundle = kitTestBundle();
    QApplication& application = screenApplication();
    PhoneScreen screen;
};

PlistValue section(const char* footer, int rows) {
    PlistValue contents = PlistValue::array();
    for (int i = 0; i < rows; ++i) {
        contents.append(PlistValue::dictionary({{"class", "QVTitleTableViewCell"}}));
    }
    PlistValue s = PlistValue::dictionary({{"contents", contents}});
    if (footer) {
        s.set("footer", footer);
    }
    return s;
}

} // namespace

TEST(QVHintCurtain, DontShowAgainSilencesOnlyItsOwnIdentifier) {
    Screen s;
    fretkit::UserDefaults::standard().removeObjectForKey("QVHintDontShow_TNHint");
    QPointer<QVHintCurtain> curtain = new QVHintCurtain(QStringLiteral("TNHint"));
    curtain->setTitle(QStringLiteral("Tuner"));
    curtain->show();
    ASSERT_NE(curtain->view(), nullptr);
    EXPECT_EQ(curtain->view()->y(), -460);
    EXPECT_TRUE(curtain->webView()->toPlainText().contains("Play one string."));
    EXPECT_FALSE(curtain->bar()->leftButtonRect().isNull());
    ASSERT_TRUE(waitUntil([&] { return curtain->view()->y() == 20; }));

    curtain->dontShowAgain();
    ASSERT_TRUE(waitUntil([&] { return curtain.isNull(); }));
    EXPECT_TRUE(QVHintCurtain::isSuppressed(QStringLiteral("TNHint")));
    EXPECT_FALSE(QVHintCurtain::isSuppressed(QStringLiteral("CHHint")));

    QPointer<QVHintCurtain> again = new QVHintCurtain(QStringLiteral("TNHint"));
    again->show();
    EXPECT_EQ(again->view(), nullptr); // nothing shown, and it goes away by itself
    ASSERT_TRUE(waitUntil([&] { return again.isNull(); }));
}

TEST(QVHintCurtain, AMissingPageIsLoggedAndLinksGoToTheSystem) {
    Screen s;
    LogCapture log;
    QPointer<QVHintCurtain> empty = new QVHintCurtain(QStringLiteral("NoSuchHint"));
    empty->setHasDontShowAgainButton(false);
    empty->setTransitionStyle(1);
    empty->show();
    EXPECT_TRUE(log.contains("could not find QVHintCurtain content at NoSuchHint.html"));
    EXPECT_EQ(empty->view()->y(), 480);
    EXPECT_TRUE(empty->bar()->leftButtonRect().isNull());
    empty->close();
    ASSERT_TRUE(waitUntil([&] { return empty.isNull(); }));

    QStringList opened;
    const auto previous = UrlOpener::setHandler([&](const QUrl& url) {
        opened << url.toString();
        return true;
    });
    WebView web;
    emit web.anchorClicked(QUrl("https://example.org/more"));
    emit web.anchorClicked(QUrl("file:///etc/passwd"));
    UrlOpener::setHandler(previous);
    EXPECT_EQ(opened, QStringList({"https://example.org/more"}));
}

TEST(QVAbout, CreditsJoinTheLastSectionOrTheCopyrightMovesUp) {
    const PlistValue about =
        PlistValue::array({section(nullptr, 1), section(nullptr, 1), section("old", 0)});
    const PlistValue credits = PlistValue::array(
        {PlistValue::dictionary({{"role", "Design"}, {"value", "A"}, {"class", "Other"}})});
    const PlistValue merged = QVAbout::mergedContents(about, credits);
    ASSERT_EQ(merged.count(), 3u);
    const PlistValue& row = merged[2]["contents"][0];
    EXPECT_EQ(row["class"], PlistValue("QVCreditsTableViewCell"));
    EXPECT_EQ(row["key"], PlistValue("credit"));
    EXPECT_EQ(row["role"], PlistValue("Design"));

    const PlistValue without = QVAbout::mergedContents(about, PlistValue::array());
    ASSERT_EQ(without.count(), 2u);
    EXPECT_EQ(without[1]["footer"], PlistValue("QVAbout_copyright"));
    // A single section cannot give up its place to a copyright footer, and nothing breaks.
    EXPECT_EQ(
        QVAbout::mergedContents(PlistValue::array({section(nullptr, 1)}), PlistValue()).count(),
        0u);
    EXPECT_EQ(QVAbout::mergedContents(PlistValue(), credits), PlistValue());
}

TEST(QVAbout, TheScreenShowsTheBundlesAboutListCreditsAndVersion) {
    Screen s;
    std::unique_ptr<ViewController> wrapper = QVAbout::aboutController(true);
    auto* navigation = dynamic_cast<NavigationController*>(wrapper.get());
    ASSERT_NE(navigation, nullptr);
    EXPECT_EQ(navigation->navigationBar()->barStyle(), NavigationBar::Style::Black);
    auto* about = static_cast<QVAbout*>(navigation->topViewController());
    EXPECT_EQ(about->title(), "About");
    ASSERT_TRUE(about->navigationItem().rightButton.has_value());
    QVTableView* table = about->tableView();
    ASSERT_EQ(table->numberOfSections(), 3);
    EXPECT_EQ(table->numberOfRows(2), 2);
    EXPECT_EQ(table->rectForRow({2, 0}).height(), 62);
    auto* icon = static_cast<QVAboutIconCell*>(table->cellAt({0, 0}));
    EXPECT_EQ(icon->appName(), "Fretkit");
    EXPECT_EQ(icon->versionLine(), "Version 1.2 (42)");
    EXPECT_EQ(table->rectForRow({0, 0}).height(), 65);

    QStringList opened;
    const auto previous = UrlOpener::setHandler([&](const QUrl& url) {
        opened << url.toString();
        return true;
    });
    about->didSelectCell(*table->cellAt({1, 0}));
    about->didSelectCell(*table->cellAt({2, 0})); // no link: nothing
    UrlOpener::setHandler(previous);
    EXPECT_EQ(opened, QStringList({"https://example.org/"}));
}

TEST(QVSmallViews, FrameAccessorsChangeOneMemberAndTheLabelDrawsItsShadow) {
    screenApplication();
    QWidget view;
    view.setGeometry(1, 2, 30, 40);
    QVViewFrame::setXOrigin(view, 5);
    QVViewFrame::setHeight(view, 7);
    EXPECT_EQ(view.geometry(), QRect(5, 2, 30, 7));
    QVViewFrame::setOrigin(view, {9, 8});
    QVViewFrame::setWidth(view, 11);
    EXPECT_EQ(view.geometry(), QRect(9, 8, 11, 7));

    QVLabel label(QStringLiteral("Tempo"));
    label.resize(120, 40);
    label.setAlignment(Qt::AlignCenter);
    label.setStyleSheet(QStringLiteral("color:white;background:transparent;"));
    const QImage plain = label.grab().toImage();
    label.setShadowBlur(6);
    label.setShadowOffset({0, 3});
    const QImage shadowed = label.grab().toImage();
    EXPECT_NE(plain, shadowed);
}
