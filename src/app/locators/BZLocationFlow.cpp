#include "BZLocationFlow.h"

#include "BZLocationEditor.h"
#include "BZURLConnection.h"
#include "foundation/Bundle.h"
#include "foundation/UserDefaults.h"
#include "kit/QVTableViewCell.h"
#include "locators/CurrentLocale.h"
#include "locators/DFDealer.h"
#include "locators/MapServiceLinks.h"

using fretkit::GeoCoordinate;
using fretkit::LocatorPlace;

BZLocationFlow::BZLocationFlow(ViewController& screen, PlaceChosen chosen)
    : screen_(screen), chosen_(std::move(chosen)) {}

std::optional<LocatorPlace> BZLocationFlow::knownPlace() {
    if (auto stored = LocatorPlace::stored(fretkit::UserDefaults::standard())) {
        return stored;
    }
    return LocatorPlace::fromLocale(fretkit::CurrentLocale::countryCode());
}

void BZLocationFlow::openEditor(bool animated) {
    if (editor_) {
        return;
    }
    // Set up before it is shown, so that its page and its controls agree from the start.
    auto editor = std::make_unique<BZLocationEditor>();
    editor->setDelegate(this);
    if (const auto place = knownPlace()) {
        editor->setInternational(place->international);
        if (place->international) {
            editor->setCountryCode(QString::fromStdString(place->code));
        } else {
            editor->setPostalCode(QString::fromStdString(place->code));
        }
    } else {
        const std::string country = fretkit::CurrentLocale::countryCode();
        editor->setInternational(country != "US");
        editor->setCountryCode(QString::fromStdString(country));
    }
    editor_ = editor.get();
    screen_.presentModalViewController(std::move(editor), animated);
}

void BZLocationFlow::locationEditorWillClose(BZLocationEditor& editor, bool cancelled) {
    if (cancelled) {
        return;
    }
    LocatorPlace place;
    place.international = editor.international();
    place.code = (place.international ? editor.countryCode() : editor.postalCode()).toStdString();
    if (place.international) {
        place.countryName = editor.countryName().toStdString();
    }
    place.store(fretkit::UserDefaults::standard());
    if (chosen_) {
        chosen_(place);
    }
}

void BZLocationFlow::locate(const LocatorPlace& place, const fretkit::LocatorServices& services,
                            Located located) {
    if (geocoding_) {
        geocoding_->cancel();
    }
    if (place.international) {
        located({});
        return;
    }
    fretkit::LocatorRequest request;
    request.url = fretkit::MapServiceLinks::geocodeURL(services.maps, place.code);
    geocoding_ = BZURLConnection::send(
        std::move(request),
        [located = std::move(located)](const fretkit::LocatorResponse& response) {
            const auto coordinate =
                response.succeeded() ? fretkit::DFDealer::coordinateFromGeocodeAnswer(response.body)
                                     : std::nullopt;
            located(coordinate.value_or(GeoCoordinate{}));
        },
        this);
}

QString BZLocationFlow::countryName(const QString& code) {
    const auto codes = fretkit::Bundle::main().propertyList("BZCountryCodes");
    const auto names = fretkit::Bundle::main().propertyList("BZCountryNames");
    if (codes && names) {
        for (std::size_t i = 0; i < codes->count() && i < names->count(); ++i) {
            if (QString::fromStdString((*codes)[i].stringValue()) == code) {
                return BZLocationEditor::capitalizedName(
                    QString::fromStdString((*names)[i].stringValue()));
            }
        }
    }
    return code;
}

QString BZLocationFlow::describe(const LocatorPlace& place) {
    if (!place.international) {
        return QVTableViewCell::localized("BZLocation_near")
            .arg(QString::fromStdString(place.code));
    }
    const QString name =
        place.countryName.empty()
            ? countryName(QString::fromStdString(place.code))
            : BZLocationEditor::capitalizedName(QString::fromStdString(place.countryName));
    return QVTableViewCell::localized("BZLocation_in").arg(name);
}
