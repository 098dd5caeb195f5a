#pragma once

#include "kit/QVTableViewDelegate.h"
#include "ui/ViewController.h"

class QVTableView;

// The home menu, the root of the screens: a table of the tools read from the "BZHome" property
// list. Choosing a row pushes a new screen of the row's "controllerClass", titled by the row's
// localised "title"; a row whose class does not exist does nothing. The about button opens the
// about screen.
class BZHomeController : public ViewController,
                         public QVTableViewDelegate,
                         public QVTableDidSelectCell {
    Q_OBJECT

public:
    BZHomeController();

    QVTableView* tableView() const { return table_; }
    void didSelectCell(QVTableViewCell& cell) override;
    void openAbout();

protected:
    void loadView() override;

private:
    QVTableView* table_ = nullptr;
};
