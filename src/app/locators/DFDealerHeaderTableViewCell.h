#pragma once

#include "kit/QVTableViewCell.h"
#include "locators/GeoCoordinate.h"

#include <QPointer>
#include <optional>

class BZURLConnection;
class QLabel;

// The head of the dealer details: a small map of the dealer's street with a pin, and the shop's
// name beside it. The map stays hidden until the dealer's place is known and the map service's
// picture of it has arrived.
class DFDealerHeaderTableViewCell : public QVTableViewCell {
    Q_OBJECT

public:
    static constexpr int kMapSide = 63;

    explicit DFDealerHeaderTableViewCell(const QString& reuseIdentifier);

    bool hasBackground() const override { return false; }
    int height() const override { return 63; }
    void setStructure(const fretkit::PlistValue& structure) override;
    void setValue(const fretkit::PlistValue& value) override;

    // Centres the map on the place: asks the map service at `mapServiceBase` for its picture
    // and shows the map when the picture arrives.
    void setMapCoordinates(fretkit::GeoCoordinate place, const std::string& mapServiceBase);
    std::optional<fretkit::GeoCoordinate> mapCoordinates() const { return place_; }

    QWidget* mapView() const { return mapView_; }
    QLabel* appNameLabel() const { return appNameLabel_; }

protected:
    void layoutContent() override;

private:
    QLabel* mapView_;
    QLabel* appNameLabel_;
    std::optional<fretkit::GeoCoordinate> place_;
    QPointer<BZURLConnection> picture_;
};
