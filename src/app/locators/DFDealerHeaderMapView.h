#pragma once

#include <QWidget>

// What lies over the map thumbnail: the pin at the dealer's place and a thin gray frame.
class DFDealerHeaderMapView : public QWidget {
    Q_OBJECT

public:
    explicit DFDealerHeaderMapView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
