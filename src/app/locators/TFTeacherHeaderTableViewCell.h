#pragma once

#include "kit/QVTableViewCell.h"

#include <QPixmap>

// The head of a teacher's details: the photo in a rounded frame and the teacher's name.
class TFTeacherHeaderTableViewCell : public QVTableViewCell {
    Q_OBJECT

public:
    static constexpr int kPhotoSide = 64;

    explicit TFTeacherHeaderTableViewCell(const QString& reuseIdentifier);

    bool hasBackground() const override { return false; }
    int height() const override { return 72; }
    void setValue(const fretkit::PlistValue& value) override;

    void setPhoto(const QPixmap& photo);
    QPixmap photo() const { return photo_; }

protected:
    void layoutContent() override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF photoFrame() const;

    QPixmap photo_;
};
