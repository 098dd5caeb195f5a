#pragma once

#include "QVTableViewCell.h"

// The head of the about screen: the application's icon with a soft shadow, its name and its
// version, on no cell background; 65 points high.
class QVAboutIconCell : public QVTableViewCell {
    Q_OBJECT

public:
    explicit QVAboutIconCell(const QString& reuseIdentifier);
    bool hasBackground() const override { return false; }
    int height() const override { return 65; }

    QString appName() const { return name_; }
    QString versionLine() const { return version_; }

    // "%@" placeholders of a localised format filled in order.
    static QString fillPlaceholders(QString format, const QStringList& arguments);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap icon_;
    QString name_;
    QString version_;
};
