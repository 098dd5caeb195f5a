#pragma once

#include "locators/LocatorPlace.h"
#include "ui/IndexPath.h"

#include <QString>
#include <optional>
#include <string>

class BZLocationFlow;
class TableView;
class TourSteps;
class ViewController;

// What the two locators' tours share: acting on the navigation bar, the tables and the location
// editor as a user does. The user's stored place is put back when the tour is done with it.
class LocatorTour {
public:
    explicit LocatorTour(TourSteps& steps);
    ~LocatorTour();
    LocatorTour(const LocatorTour&) = delete;
    LocatorTour& operator=(const LocatorTour&) = delete;

    // A press on the left (back) or right button of the bar over the screen.
    void tapBarButton(ViewController& screen, bool right);
    // Taps a row and waits until the screen it opens is on top and settled.
    ViewController* openRow(ViewController& screen, TableView& table, IndexPath path,
                            const QString& what);
    // Goes back to the screen below the top one.
    bool back(ViewController& screen, const QString& what);
    // Opens the location editor with the screen's location button and chooses the place there:
    // the page, the postal code or the country in the list, then Done.
    bool choosePlace(ViewController& screen, BZLocationFlow& flow,
                     const fretkit::LocatorPlace& place);

    // An address on this machine where nothing listens: a service that cannot be reached.
    static std::string unreachableAddress();

private:
    TourSteps& steps_;
    std::optional<fretkit::LocatorPlace> saved_;
};
