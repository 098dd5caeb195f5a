#include "LocatorTestSupport.h"
#include "LocatorTour.h"
#include "TFMainController.h"
#include "TFProgressView.h"
#include "TFResultsController.h"
#include "TFTeacherController.h"
#include "TFTeacherHeaderTableViewCell.h"
#include "TFTeacherTableViewCell.h"
#include "kit/QVTableView.h"
#include "ui/UrlOpener.h"

using fretkit::TFTeacher;

namespace {

TFTeacher ada() {
    TFTeacher teacher;
    teacher.firstName = "Ada";
    teacher.lastName = "Quill";
    teacher.phone = "(555) 0100-3000";
    teacher.email = "ada.quill@lessons.example";
    teacher.website = "http://www.quill-lessons.example";
    teacher.setAddress("20 Harmony Lane");
    teacher.city = "Philadelphia";
    teacher.state = "PA";
    teacher.postalCode = "19103";
    teacher.country = "United States";
    teacher.instruments = {"Guitar", "Bass"};
    teacher.yearsTeaching = "3";
    return teacher;
}

struct Teacher {
    ScreenStack screens;
    TFTeacherController& screen;

    Teacher(TFTeacher teacher, const LocatorServices& services)
        : screen(
              screens.push(std::make_unique<TFTeacherController>(std::move(teacher), services))) {}

    std::vector<std::string> keys() const {
        std::vector<std::string> keys;
        QVTableView& table = *screen.tableView();
        for (int section = 0; section < table.numberOfSections(); ++section) {
            for (int row = 0; row < table.numberOfRows(section); ++row) {
                keys.push_back(table.cellAt({section, row})->key());
            }
        }
        return keys;
    }
    QVTableViewCell* row(const std::string& key) const {
        return rowWithKey(*screen.tableView(), key);
    }
    TFTeacherHeaderTableViewCell* header() const {
        return dynamic_cast<TFTeacherHeaderTableViewCell*>(screen.tableView()->cellAt({0, 0}));
    }
};

} // namespace

TEST(TeacherFinder, AnInstrumentOpensItsTeachersNearestFirst) {
    startAt({false, "45056", {}}, "en_US.UTF-8");
    TestServices services;
    ScreenStack screens;
    auto finder = std::make_unique<TFMainController>();
    finder->setServices(services.services());
    TFMainController& main = screens.push(std::move(finder));
    EXPECT_EQ(main.tableView()->footerText(0), "Teachers near 45056");

    clickCell(*main.tableView(), {0, 0});
    auto* results = dynamic_cast<TFResultsController*>(screens.stack->topViewController());
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->instrument(), "Guitar");
    EXPECT_EQ(results->title(), "Guitar");
    ASSERT_TRUE(waitUntil([&] { return !results->isSearching(); }, 10000));
    const std::vector<TFTeacher>& teachers = results->teachers();
    ASSERT_GT(teachers.size(), 2u);
    for (std::size_t i = 0; i < teachers.size(); ++i) {
        SCOPED_TRACE(teachers[i].fullName());
        if (i > 0) {
            EXPECT_LE(teachers[i - 1].distance(), teachers[i].distance());
        }
        auto* cell = static_cast<TFTeacherTableViewCell*>(
            results->tableView()->cellForRow({0, static_cast<int>(i)}));
        EXPECT_EQ(cell->title().toStdString(), teachers[i].fullName());
        EXPECT_TRUE(cell->distanceText().endsWith(" mi")) << cell->distanceText().toStdString();
    }
    EXPECT_EQ(results->tableView()->headerText(0), "Teachers near 45056");
}

TEST(TeacherFinder, ASearchThatCannotReachTheServiceSaysSo) {
    startAt({true, "DE", "Germany"});
    LocatorServices services = TestServices().services();
    services.teachers = LocatorTour::unreachableAddress();
    ScreenStack screens;
    auto results = std::make_unique<TFResultsController>("Guitar");
    results->setServices(services);
    TFResultsController& screen = screens.push(std::move(results));
    ASSERT_TRUE(waitUntil([] { return !visibleAlerts().isEmpty(); }));
    EXPECT_EQ(visibleAlerts().front()->text(), "Search Failed");
    EXPECT_TRUE(screen.teachers().empty());
    EXPECT_TRUE(screen.progressView()->isHidden());
}

TEST(TeacherDetails, RowsWithoutValuesAreLeftOutAndListsShowOneEntryALine) {
    TestServices services;
    Teacher details(ada(), services.services());
    EXPECT_EQ(details.keys(),
              (std::vector<std::string>{"fullName", "phone", "email", "website", "address",
                                        "instruments", "yearsTeaching"}));
    EXPECT_EQ(details.row("instruments")->detailTextLabel()->text(), "Guitar\nBass");
    EXPECT_GT(details.row("instruments")->height(), 45); // two lines

    TFTeacher reachable = ada();
    reachable.instruments.clear();
    reachable.yearsTeaching.clear();
    Teacher contactOnly(reachable, services.services());
    EXPECT_EQ(contactOnly.screen.tableView()->numberOfSections(), 3); // no empty lessons section
}

TEST(TeacherDetails, ThePhotoComesFromTheServiceAndAMissingOneLeavesThePlaceholder) {
    TestServices services;
    TFTeacher pictured = ada();
    pictured.imageName = "teacher-2.png";
    Teacher withPhoto(pictured, services.services());
    ASSERT_TRUE(waitUntil([&] { return !withPhoto.screen.image().isNull(); }));
    EXPECT_EQ(withPhoto.header()->photo().deviceIndependentSize(), QSizeF(64, 64));
    EXPECT_EQ(withPhoto.header()->photo().toImage(), withPhoto.screen.image().toImage());

    TFTeacher missing = ada();
    missing.imageName = "nobody.png";
    Teacher without(missing, services.services());
    ASSERT_TRUE(waitUntil([&] { return !without.screen.isLoadingPhoto(); }));
    EXPECT_TRUE(without.screen.image().isNull());
    EXPECT_FALSE(without.header()->photo().isNull()); // the placeholder
}

TEST(TeacherDetails, TheContactRowsOpenTheirLinks) {
    QStringList opened;
    const auto previous = UrlOpener::setHandler([&](const QUrl& url) {
        opened << url.toString(QUrl::FullyEncoded);
        return true;
    });
    TestServices services;
    Teacher details(ada(), services.services());
    for (const char* key : {"phone", "email", "website", "address", "instruments"}) {
        QVTableViewCell* cell = details.row(key);
        ASSERT_NE(cell, nullptr) << key;
        clickCell(*details.screen.tableView(), details.screen.tableView()->indexPathForCell(cell));
    }
    UrlOpener::setHandler(previous);
    const QString maps = QString::fromStdString(services.services().maps);
    EXPECT_EQ(opened, (QStringList{"tel:%28555%29%200100-3000", "mailto:ada.quill@lessons.example",
                                   "http://www.quill-lessons.example",
                                   maps + "/maps?q=20%20Harmony%20Lane%0APhiladelphia%2C%20PA%"
                                          "2019103%0AUnited%20States%20Philadelphia%20PA"}));
}
