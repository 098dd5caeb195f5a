#include "DFDealerController.h"
#include "DFDealerHeaderTableViewCell.h"
#include "LocatorTestSupport.h"
#include "kit/QVTableView.h"
#include "kit/QVTableViewCell.h"
#include "ui/UrlOpener.h"

namespace {

PlistValue shop(std::initializer_list<PlistValue::Entry> extra) {
    PlistValue record = dealer("Fretwell Music", {"Dunmoor"});
    record.remove("brands");
    record.remove("ALCRTX");
    for (const auto& [key, value] : extra) {
        record.set(key, value);
    }
    return record;
}

// The row keys of each section the details show.
std::vector<std::vector<std::string>> layout(const PlistValue& record) {
    const PlistValue contents = DFDealerController::contentsFor(
        *fretkit::Bundle::main().propertyList("DFDealerController"), fretkit::DFDealer(record));
    std::vector<std::vector<std::string>> keys;
    for (const PlistValue& section : contents.arrayItems()) {
        keys.emplace_back();
        for (const PlistValue& row : section["contents"].arrayItems()) {
            keys.back().push_back(row["key"].stringValue());
        }
    }
    return keys;
}

// A map service that answers every geocoding query with one text, and draws its pictures.
class MapStandIn {
public:
    explicit MapStandIn(std::string answer) : maps_(directory_) {
        server_.Get("/maps/geo", [answer](const httplib::Request&, httplib::Response& res) {
            res.set_content(answer, "text/plain");
        });
        server_.Get("/maps/image", [this](const httplib::Request& req, httplib::Response& res) {
            const fretkit::ServiceAnswer picture = maps_.image(
                req.get_param_value("ll"), req.get_param_value("spn"), req.get_param_value("size"));
            res.status = picture.status;
            res.set_content(picture.body, picture.contentType.c_str());
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~MapStandIn() {
        while (!server_.is_running()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        server_.stop();
        thread_.join();
    }
    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }

private:
    fretkit::LocatorSampleDirectory directory_ = sampleDirectory();
    fretkit::MapService maps_;
    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
};

struct Details {
    ScreenStack screens;
    DFDealerController& screen;

    Details(PlistValue record, const LocatorServices& services)
        : screen(screens.push(std::make_unique<DFDealerController>(std::move(record), services))) {}

    QVTableViewCell* row(const std::string& key) const {
        return rowWithKey(*screen.tableView(), key);
    }
};

} // namespace

TEST(DealerDetails, MissingFieldsTakeTheWebSectionFirstThenThePhoneSection) {
    using Layout = std::vector<std::vector<std::string>>;
    EXPECT_EQ(layout(shop({{"ALCRTX", "1"}, {"ALCSTX", "2"}, {"HPAGEX", "https://a.example"}})),
              (Layout{{"ALCLTX"}, {"ALCRTX", "ALCSTX"}, {"HPAGEX"}, {"address"}}));
    EXPECT_EQ(layout(shop({{"ALCRTX", "1"}})), (Layout{{"ALCLTX"}, {"ALCRTX"}, {"address"}}));
    EXPECT_EQ(layout(shop({})), (Layout{{"ALCLTX"}, {"address"}}));
    // A second number alone keeps the phone section, with that number only.
    EXPECT_EQ(layout(shop({{"ALCSTX", "2"}, {"HPAGEX", "https://a.example"}})),
              (Layout{{"ALCLTX"}, {"ALCSTX"}, {"HPAGEX"}, {"address"}}));
}

TEST(DealerDetails, TheAddressRowReadsStreetCityAndCountryWithoutATrailingSpace) {
    TestServices services;
    Details plain(shop({}), services.services());
    EXPECT_EQ(plain.row("address")->detailTextLabel()->text(), "17 Chord Street\nBerlin, BE\nDE");
    EXPECT_EQ(plain.row("ALCLTX")->structure()["class"].stringValue(),
              "DFDealerHeaderTableViewCell");
    EXPECT_EQ(plain.screen.headerCell()->appNameLabel()->text(), "Fretwell Music");

    Details suite(shop({{"ALCNTX", "Suite 5"}}), services.services());
    EXPECT_EQ(suite.row("address")->detailTextLabel()->text(),
              "17 Chord Street Suite 5\nBerlin, BE\nDE");
}

TEST(DealerDetails, TheGeocodingAnswerPlacesTheMapOrLeavesItHidden) {
    TestServices services;
    for (const char* answer : {"200,8,40.1,-75.2", "602,0,0,0", "200,8,40.1"}) {
        SCOPED_TRACE(answer);
        MapStandIn maps(answer);
        LocatorServices where = services.services();
        where.maps = maps.base();
        Details details(shop({}), where);
        DFDealerHeaderTableViewCell* header = details.screen.headerCell();
        ASSERT_NE(header, nullptr);
        if (std::string(answer).size() > 12) {
            ASSERT_TRUE(waitUntil([&] { return header->mapView()->isVisible(); }));
            EXPECT_DOUBLE_EQ(header->mapCoordinates()->latitude, 40.1);
            EXPECT_DOUBLE_EQ(header->mapCoordinates()->longitude, -75.2);
            // The map service's picture at the screen's scale, drawn in 63 points.
            EXPECT_EQ(header->mapView()->size(), QSize(63, 63));
        } else {
            ASSERT_TRUE(waitUntil([&] { return !details.screen.isLocating(); }));
            QCoreApplication::processEvents();
            EXPECT_FALSE(header->mapCoordinates());
            EXPECT_FALSE(header->mapView()->isVisible());
        }
    }
}

TEST(DealerDetails, ThePhoneWebAndAddressRowsOpenTheirLinks) {
    QStringList opened;
    const auto previous = UrlOpener::setHandler([&](const QUrl& url) {
        opened << url.toString(QUrl::FullyEncoded);
        return true;
    });
    TestServices services;
    Details details(shop({{"ALCRTX", "(555) 0100-1000"},
                          {"ALCSTX", "(555) 0100-1009"},
                          {"HPAGEX", "https://fretwell.example/shop"}}),
                    services.services());
    QVTableView& table = *details.screen.tableView();
    for (const char* key : {"ALCRTX", "ALCSTX", "HPAGEX", "address", "ALCLTX"}) {
        QVTableViewCell* cell = details.row(key);
        ASSERT_NE(cell, nullptr) << key;
        clickCell(table, table.indexPathForCell(cell));
    }
    UrlOpener::setHandler(previous);
    const QString maps = QString::fromStdString(services.services().maps);
    EXPECT_EQ(opened, (QStringList{"tel:%28555%29%200100-1000", "https://fretwell.example/shop",
                                   maps + "/maps?q=17%20Chord%20Street%20Berlin%20BE"}));
}
