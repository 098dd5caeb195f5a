#include "LocatorTour.h"

#include "BZLocationEditor.h"
#include "BZLocationFlow.h"
#include "TourSteps.h"
#include "foundation/UserDefaults.h"
#include "ui/NavigationController.h"
#include "ui/SegmentedControl.h"
#include "ui/TableView.h"

#include <QPointer>
#include <QTcpServer>

using fretkit::LocatorPlace;
using fretkit::UserDefaults;

LocatorTour::LocatorTour(TourSteps& steps)
    : steps_(steps), saved_(LocatorPlace::stored(UserDefaults::standard())) {}

LocatorTour::~LocatorTour() {
    UserDefaults& defaults = UserDefaults::standard();
    if (saved_) {
        saved_->store(defaults);
        return;
    }
    for (const char* key :
         {LocatorPlace::kInternationalKey, LocatorPlace::kCodeKey, LocatorPlace::kCountryNameKey}) {
        defaults.removeObjectForKey(key);
    }
}

void LocatorTour::tapBarButton(ViewController& screen, bool right) {
    NavigationController* stack = screen.navigationController();
    if (!stack) {
        return;
    }
    NavigationBar& bar = *stack->navigationBar();
    const QRect button = right ? bar.rightButtonRect() : bar.leftButtonRect();
    if (!button.isNull()) {
        steps_.tap(bar, button.center());
    }
}

ViewController* LocatorTour::openRow(ViewController& screen, TableView& table, IndexPath path,
                                     const QString& what) {
    TableViewCell* cell = table.cellForRow(path);
    NavigationController* stack = screen.navigationController();
    if (!cell || !stack) {
        return nullptr;
    }
    table.scrollToRowInMiddle(path);
    steps_.tap(*cell, cell->rect().center());
    ViewController* opened = stack->topViewController();
    const bool reached = steps_.reach(
        [stack, &screen, opened] {
            return opened != &screen && opened->isVisible() && !stack->isTransitioning();
        },
        what);
    return reached ? opened : nullptr;
}

bool LocatorTour::back(ViewController& screen, const QString& what) {
    NavigationController* stack = screen.navigationController();
    if (!stack) {
        return false;
    }
    tapBarButton(*stack->topViewController(), false);
    return steps_.reach([&screen] { return screen.isVisible(); }, what);
}

bool LocatorTour::choosePlace(ViewController& screen, BZLocationFlow& flow,
                              const LocatorPlace& place) {
    if (!flow.editor()) {
        tapBarButton(screen, true);
    }
    QPointer<BZLocationEditor> editor = flow.editor();
    if (!editor || !steps_.reach([editor] { return editor && editor->isVisible(); },
                                 QStringLiteral("location"))) {
        return false;
    }
    SegmentedControl& modes = *editor->segmentedControl();
    steps_.tap(modes, modes.segmentRect(place.international ? 1 : 0).center());
    if (place.international) {
        const auto row =
            static_cast<int>(editor->countryCodes().indexOf(QString::fromStdString(place.code)));
        TableView& countries = *editor->countryTable();
        countries.scrollToRowInMiddle({0, row});
        if (TableViewCell* cell = countries.cellForRow({0, row})) {
            steps_.tap(*cell, cell->rect().center());
        }
    } else {
        editor->setPostalCode(QString::fromStdString(place.code));
    }
    NavigationBar& bar = *editor->navigationBar();
    steps_.tap(bar, bar.rightButtonRect().center());
    return steps_.reach([editor, &screen] { return !editor && screen.isVisible(); },
                        QStringLiteral("the place chosen"));
}

std::string LocatorTour::unreachableAddress() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close(); // nothing listens there any more: connections are refused
    return "http://127.0.0.1:" + std::to_string(port);
}
