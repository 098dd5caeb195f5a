#pragma once

#include "BZLocationEditor.h"
#include "BZLocationEditorDelegate.h"
#include "locators/GeoCoordinate.h"
#include "locators/LocatorPlace.h"
#include "locators/LocatorServices.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <optional>

class BZURLConnection;
class ViewController;

// Where the user is, for the dealer locator and the teacher finder. A desktop has no position
// source: the place is the one chosen in the location editor and kept in the settings; before
// the first choice, the locale's country decides, and a United States locale (or one without a
// country) asks the user in the location editor. A postal code is placed on the map by the map
// service, so that distances can be measured from it.
class BZLocationFlow : public QObject, public BZLocationEditorDelegate {
    Q_OBJECT

public:
    using PlaceChosen = std::function<void(const fretkit::LocatorPlace&)>;
    using Located = std::function<void(fretkit::GeoCoordinate)>;

    // `chosen` hears each place the user confirms in the editor, after it is stored.
    BZLocationFlow(ViewController& screen, PlaceChosen chosen);

    // The stored place, else the locale's; nullopt when the user has to choose.
    static std::optional<fretkit::LocatorPlace> knownPlace();

    // Presents the location editor over the screen, on the page of the known place; without
    // one, on the postal code page for a United States locale and on the country page otherwise.
    void openEditor(bool animated = true);
    BZLocationEditor* editor() const { return editor_; }

    // The coordinate of the place: for a postal code, the map service's answer; (0, 0) for a
    // country or a postal code the service cannot place. A later call replaces an earlier one
    // still waiting.
    void locate(const fretkit::LocatorPlace& place, const fretkit::LocatorServices& services,
                Located located);

    // "Near 45056", "In Germany": the place as the screens name it.
    static QString describe(const fretkit::LocatorPlace& place);
    // The country's name in the editor's lists, or the code when they do not have it.
    static QString countryName(const QString& code);

    void locationEditorWillClose(BZLocationEditor& editor, bool cancelled) override;

private:
    ViewController& screen_;
    PlaceChosen chosen_;
    QPointer<BZLocationEditor> editor_;
    QPointer<BZURLConnection> geocoding_;
};
