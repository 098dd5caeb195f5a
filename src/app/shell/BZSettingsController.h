#pragma once

#include "ui/ViewController.h"

class QVTableView;

// The root of a tool's modal settings stack: its view is the tool's settings table, reloaded
// each time the screen appears so that a value chosen in an editor shows on the way back. Done
// dismisses the stack.
class BZSettingsController : public ViewController {
    Q_OBJECT

public:
    BZSettingsController();

    QVTableView* tableView() const { return table_; }
    // The table becomes the view.
    void setTableView(QVTableView* table);
    void close();

protected:
    void viewWillAppear(bool animated) override;

private:
    QVTableView* table_ = nullptr;
};
