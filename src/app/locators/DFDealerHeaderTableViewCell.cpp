#include "DFDealerHeaderTableViewCell.h"

#include "BZURLConnection.h"
#include "DFDealerHeaderMapView.h"
#include "locators/MapServiceLinks.h"
#include "ui/ScreenImage.h"

#include <QGraphicsDropShadowEffect>
#include <QLabel>

DFDealerHeaderTableViewCell::DFDealerHeaderTableViewCell(const QString& reuseIdentifier)
    : QVTableViewCell(reuseIdentifier), mapView_(new QLabel(contentView())),
      appNameLabel_(new QLabel(contentView())) {
    setDrawsBackground(false);
    setSelectionStyle(SelectionStyle::None);
    mapView_->setScaledContents(true);
    mapView_->hide();
    auto* frame = new DFDealerHeaderMapView(mapView_);
    frame->setGeometry(0, 0, kMapSide, kMapSide);

    // Light on the dark wood the details lie on, with a shadow below the letters.
    QFont font;
    font.setPixelSize(19);
    font.setBold(true);
    appNameLabel_->setFont(font);
    appNameLabel_->setWordWrap(true);
    appNameLabel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    appNameLabel_->setStyleSheet(QStringLiteral("color:#f3e6cf;background:transparent;"));
    auto* shadow = new QGraphicsDropShadowEffect(appNameLabel_);
    shadow->setBlurRadius(0);
    shadow->setOffset(0, 1);
    shadow->setColor(QColor(0, 0, 0, 128));
    appNameLabel_->setGraphicsEffect(shadow);
    textLabel()->hide();
}

void DFDealerHeaderTableViewCell::setStructure(const fretkit::PlistValue&) {
    // A reused cell starts without the previous dealer's map.
    if (picture_) {
        picture_->cancel();
    }
    place_.reset();
    mapView_->hide();
    mapView_->clear();
}

void DFDealerHeaderTableViewCell::setValue(const fretkit::PlistValue& value) {
    appNameLabel_->setText(QString::fromStdString(value.stringValue()));
}

void DFDealerHeaderTableViewCell::setMapCoordinates(fretkit::GeoCoordinate place,
                                                    const std::string& mapServiceBase) {
    if (picture_) {
        picture_->cancel();
    }
    place_ = place;
    const int scale = ScreenImage::scale();
    fretkit::LocatorRequest request;
    request.url = fretkit::MapServiceLinks::imageURL(mapServiceBase, place, kMapSide * scale);
    picture_ = BZURLConnection::send(
        std::move(request),
        [this, scale](const fretkit::LocatorResponse& response) {
            QPixmap map;
            if (!response.succeeded() ||
                !map.loadFromData(reinterpret_cast<const uchar*>(response.body.data()),
                                  static_cast<uint>(response.body.size()))) {
                return; // no picture, no map: the name stands alone
            }
            map.setDevicePixelRatio(scale);
            mapView_->setPixmap(map);
            mapView_->show();
        },
        this);
}

void DFDealerHeaderTableViewCell::layoutContent() {
    mapView_->setGeometry(0, 0, kMapSide, kMapSide);
    appNameLabel_->setGeometry(80, 0, 211, kMapSide);
}
