#pragma once

#include "DFMainTableViewCell.h"

namespace fretkit {
class TFTeacher;
}

// One teacher of the results: the dealer row's look with the teacher's name, "city, state" and
// the distance, which stays empty while either place is unknown.
class TFTeacherTableViewCell : public DFMainTableViewCell {
    Q_OBJECT

public:
    void setTeacher(const fretkit::TFTeacher& teacher, bool metric);
};
