#pragma once

#include "foundation/PlistValue.h"
#include "ui/TableViewCell.h"

// One dealer of the list: the shop's name in bold, "city, region" below it and, at the right,
// the distance in blue (white while the row is highlighted); a disclosure indicator.
class DFMainTableViewCell : public TableViewCell {
    Q_OBJECT

public:
    static constexpr int kHeight = 53;
    static constexpr const char* kReuseIdentifier = "cell";

    DFMainTableViewCell();

    void setDealer(const fretkit::PlistValue& dealer);
    QString title() const { return title_; }
    QString distanceText() const { return distance_; }

protected:
    void setTexts(const QString& title, const QString& subtitle, const QString& distance);
    void layoutContent() override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRect distanceRect() const;

    QString title_;
    QString distance_;
    QFont distanceFont_;
};
