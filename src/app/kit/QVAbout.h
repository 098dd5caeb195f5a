#pragma once

#include "QVTableViewDelegate.h"
#include "ui/ViewController.h"

#include <memory>

class QVTableView;

// The about screen: a structure-driven table from the "QVAbout" property list, with the rows of
// "QVCredits" merged into its last section (or, with no credits, that section dropped and the
// copyright shown under the one before). Rows with a "link" open it.
class QVAbout : public ViewController, public QVTableViewDelegate, public QVTableDidSelectCell {
    Q_OBJECT

public:
    // A new about screen; wrapped, it sits in a black-barred navigation stack with a Done
    // button that dismisses it.
    static std::unique_ptr<ViewController> aboutController(bool wrapped);

    // The about structure with the credits merged in.
    static fretkit::PlistValue mergedContents(fretkit::PlistValue about,
                                              const fretkit::PlistValue& credits);

    QVTableView* tableView() const { return table_; }
    void didSelectCell(QVTableViewCell& cell) override;

protected:
    void loadView() override;

private:
    QVTableView* table_ = nullptr;
};
