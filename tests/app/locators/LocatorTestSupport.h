#pragma once

#include "ShellTestSupport.h"
#include "foundation/Bundle.h"
#include "foundation/UserDefaults.h"
#include "kit/QVTableView.h"
#include "kit/QVTableViewCell.h"
#include "locators/DFDealerSearch.h"
#include "locators/LocatorPlace.h"
#include "locators/LocatorServices.h"
#include "services/DealerService.h"
#include "services/LocatorServer.h"
#include "services/MapService.h"
#include "ui/NavigationController.h"
#include "ui/PhoneScreen.h"
#include "ui/ScreenWindow.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <condition_variable>
#include <gtest/gtest.h>
#include <httplib.h>
#include <mutex>
#include <set>
#include <thread>

using fretkit::LocatorPlace;
using fretkit::LocatorServices;
using fretkit::PlistValue;

// The sample directory of the bundle, or one a test writes.
inline fretkit::LocatorSampleDirectory sampleDirectory() {
    return *fretkit::LocatorSampleDirectory::load(fretkit::Bundle::main(), nullptr);
}

// A dealer record of a test's directory, selling the brands given.
inline PlistValue dealer(const char* name, std::initializer_list<PlistValue> brands,
                         const char* phone = "(555) 0100-1000", const char* country = "DE") {
    return PlistValue::dictionary({{"brands", PlistValue::array(brands)},
                                   {"ALCLTX", name},
                                   {"ALCMTX", "17 Chord Street"},
                                   {"ALCPTX", "Berlin"},
                                   {"ALBYCD", "BE"},
                                   {"ALCOCD", country},
                                   {"ALCRTX", phone},
                                   {"LATTEX", "52.52"},
                                   {"LNGTEX", "13.40"}});
}

inline PlistValue directoryOf(PlistValue dealers,
                              PlistValue postalCodes = PlistValue::dictionary()) {
    return PlistValue::dictionary({{"postalCodes", std::move(postalCodes)},
                                   {"dealers", std::move(dealers)},
                                   {"teachers", PlistValue::array()}});
}

// The three local services on 127.0.0.1 for one test, from the bundle's directory or a test's.
class TestServices {
public:
    explicit TestServices(fretkit::LocatorSampleDirectory directory = sampleDirectory())
        : server_(std::move(directory)) {
        std::string error;
        EXPECT_TRUE(server_.start(0, &error)) << error;
    }
    LocatorServices services() const {
        LocatorServices services;
        services.fillMissing(server_.baseAddress());
        return services;
    }

private:
    fretkit::LocatorServer server_;
};

// A dealer service on 127.0.0.1 that answers from a directory, but holds the brands a test names
// until the test lets them go: they then answer as usual, or their connections break as a
// service's do when it stops. Another override may answer any request itself.
class DealerGate {
public:
    using Override = std::function<bool(const std::string& action, httplib::Response&)>;

    DealerGate(fretkit::LocatorSampleDirectory directory, std::set<std::string> held,
               Override override = {})
        : directory_(std::move(directory)), service_(directory_), held_(std::move(held)) {
        const auto handler = [this, override](const httplib::Request& req, httplib::Response& res) {
            const std::string action = req.get_header_value("SOAPAction");
            if (override && override(action, res)) {
                return;
            }
            if (isHeld(action) && !waitForRelease()) {
                // The service went away mid-answer: the connection breaks off.
                res.set_content_provider(100, "text/xml",
                                         [](size_t, size_t, httplib::DataSink&) { return false; });
                return;
            }
            const fretkit::ServiceAnswer answer = service_.answer(req.path, action, req.body);
            res.status = answer.status;
            res.set_content(answer.body, answer.contentType.c_str());
        };
        server_.Post(fretkit::DFDealerSearch::kInternationalPath, handler);
        server_.Post(fretkit::DFDealerSearch::kDomesticPath, handler);
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~DealerGate() {
        release(false);
        while (!server_.is_running()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        server_.stop();
        thread_.join();
    }

    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }
    // Lets the held requests go: answered, or broken off.
    void release(bool answer) {
        std::lock_guard lock(mutex_);
        released_ = true;
        answer_ = answer;
        changed_.notify_all();
    }
    int waiting() const {
        std::lock_guard lock(mutex_);
        return waiting_;
    }

private:
    bool isHeld(const std::string& action) const {
        for (const std::string& brand : held_) {
            if (action.find("Get" + brand + "Dealers") != std::string::npos) {
                return true;
            }
        }
        return false;
    }
    bool waitForRelease() {
        std::unique_lock lock(mutex_);
        ++waiting_;
        changed_.wait_for(lock, std::chrono::seconds(30), [this] { return released_; });
        --waiting_;
        return answer_;
    }

    fretkit::LocatorSampleDirectory directory_;
    fretkit::DealerService service_;
    std::set<std::string> held_;
    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool released_ = false;
    bool answer_ = false;
    int waiting_ = 0;
};

// A phone screen in a window with a navigation stack, the way the app shows a tool.
struct ScreenStack {
    QApplication& application = shellApplication();
    ScreenWindow window{1};
    NavigationController* stack = nullptr;

    ScreenStack() {
        auto root = std::make_unique<NavigationController>(std::make_unique<ViewController>());
        stack = root.get();
        window.screen().setRootViewController(std::move(root));
        window.show();
        QApplication::setActiveWindow(&window);
    }
    template <typename Screen>
    Screen& push(std::unique_ptr<Screen> screen) {
        Screen& pushed = *screen;
        stack->pushViewController(std::move(screen), false);
        return pushed;
    }
};

// The alerts on the phone screen now.
inline QList<QMessageBox*> visibleAlerts() {
    QList<QMessageBox*> shown;
    if (PhoneScreen* screen = PhoneScreen::keyScreen()) {
        for (QMessageBox* box : screen->findChildren<QMessageBox*>()) {
            if (box->isVisible()) {
                shown << box;
            }
        }
    }
    return shown;
}

// Counts the alerts shown while it exists, including any that a later one replaced.
class AlertCounter : public QObject {
public:
    AlertCounter() { shellApplication().installEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<QMessageBox*>(watched)) {
            ++shown;
        }
        return false;
    }
};

// No place chosen yet, and the locale given ("en_US.UTF-8", "de_DE.UTF-8", "C").
inline void startWithoutPlace(const char* locale) {
    shellTestSettings();
    fretkit::UserDefaults& defaults = fretkit::UserDefaults::standard();
    for (const char* key :
         {LocatorPlace::kInternationalKey, LocatorPlace::kCodeKey, LocatorPlace::kCountryNameKey}) {
        defaults.removeObjectForKey(key);
    }
    setenv("LC_ALL", locale, 1);
}

inline void startAt(const LocatorPlace& place, const char* locale = "de_DE.UTF-8") {
    startWithoutPlace(locale);
    place.store(fretkit::UserDefaults::standard());
}

// The row of a structure-driven table whose key is `key`, or null.
inline QVTableViewCell* rowWithKey(const QVTableView& table, const std::string& key) {
    for (int section = 0; section < table.numberOfSections(); ++section) {
        for (int row = 0; row < table.numberOfRows(section); ++row) {
            if (table.cellAt({section, row})->key() == key) {
                return table.cellAt({section, row});
            }
        }
    }
    return nullptr;
}

inline void clickCell(TableView& table, IndexPath path) {
    table.scrollToRowInMiddle(path);
    TableViewCell* cell = table.cellForRow(path);
    ASSERT_NE(cell, nullptr);
    click(cell, cell->rect().center());
}
