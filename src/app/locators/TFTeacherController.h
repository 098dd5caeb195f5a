#pragma once

#include "kit/QVTableViewDelegate.h"
#include "locators/LocatorRequest.h"
#include "locators/LocatorServices.h"
#include "locators/TFTeacher.h"
#include "ui/ViewController.h"

#include <QPixmap>
#include <QPointer>

class BZURLConnection;
class QVTableView;

// A teacher's details, from the "TFTeacherController" structure: the photo and name, the
// contact rows, the address and the lessons (instruments, styles, levels, ages, years, rate).
// Rows the teacher has nothing for are left out. The photo comes from the teacher service's
// host; until it arrives, or when there is none, a placeholder stands in. The phone, mail, web
// and address rows hand their links to the system.
class TFTeacherController : public ViewController,
                            public QVTableViewDelegate,
                            public QVTableValueOfCell,
                            public QVTableDidSelectCell {
    Q_OBJECT

public:
    TFTeacherController(fretkit::TFTeacher teacher, fretkit::LocatorServices services);
    ~TFTeacherController() override;

    const fretkit::TFTeacher& teacher() const { return teacher_; }
    QVTableView* tableView() const { return table_; }
    // The loaded photo, or null while there is none.
    QPixmap image() const { return image_; }
    // True while the photo is asked for.
    bool isLoadingPhoto() const { return !photo_.isNull(); }

    // The structure without the rows whose property the teacher has no value for, and without
    // sections left empty.
    static fretkit::PlistValue contentsFor(const fretkit::PlistValue& structure,
                                           const fretkit::TFTeacher& teacher);
    // The text of a row: lists one entry a line.
    static std::string textOf(const fretkit::PlistValue& value);

    fretkit::PlistValue valueOfCell(QVTableViewCell& cell) override;
    void didSelectCell(QVTableViewCell& cell) override;

protected:
    void loadView() override;
    void viewDidAppear(bool animated) override;

private:
    void photoDidFinish(const fretkit::LocatorResponse& response);

    fretkit::TFTeacher teacher_;
    fretkit::LocatorServices services_;
    QVTableView* table_ = nullptr;
    QPixmap image_;
    QPointer<BZURLConnection> photo_;
};
