#include "TFTeacherTableViewCell.h"

#include "locators/TFTeacher.h"

void TFTeacherTableViewCell::setTeacher(const fretkit::TFTeacher& teacher, bool metric) {
    const double distance = teacher.distance();
    setTexts(QString::fromStdString(teacher.fullName()),
             QString::fromStdString(teacher.city + ", " + teacher.state),
             distance == fretkit::GeoCoordinate::kUnknownDistance
                 ? QString()
                 : QString::fromStdString(fretkit::GeoCoordinate::distanceText(distance, metric)));
}
