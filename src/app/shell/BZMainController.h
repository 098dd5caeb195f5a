#pragma once

#include "foundation/PlistValue.h"
#include "kit/QVEditorDelegate.h"
#include "kit/QVTableViewDelegate.h"
#include "ui/NavigationController.h"

#include <QPointer>
#include <string>

class QAbstractButton;
class QVChoiceEditor;
class TourSteps;

// The base of every tool screen. It carries its class's name, registers the defaults of its
// class's settings on first use, and gives the screen a settings button (when the class has
// settings) and an about button. The settings screen is the table of the property list named
// by the class's first two letters and "Settings"; this screen is its delegate: rows show the
// stored settings, a chosen row opens its editor on the stored value, and every change is
// stored at once and then handed to settingDidChange.
class BZMainController : public ViewController,
                         public QVTableViewDelegate,
                         public QVTableValueOfCell,
                         public QVTableDidSelectCell,
                         public QVListEditorValueDidChange,
                         public QVPickerEditorValueDidChange {
    Q_OBJECT

public:
    explicit BZMainController(QString className);

    const QString& className() const { return className_; }
    // Whether the class has a settings screen; the locators have none.
    virtual bool hasSettings() const { return true; }
    // "TNSettings" for "TNMainController".
    static QString settingsListName(const QString& className);

    void openSettings();
    void openAbout();
    // Presents a modal stack with a black bar; nothing of the screen below shows through the bar.
    static void presentModalStack(ViewController& presenter, std::unique_ptr<ViewController> stack);
    // The presented settings stack, or null when the settings are not open.
    NavigationController* settingsNavigationController() const { return settings_; }
    QAbstractButton* aboutButton() const { return aboutButton_; }

    // Shows the screen's own states in the screenshot tour, after the picture of the screen as
    // it opens: the tool acts through `steps` as a user would and snaps each state. It leaves
    // the screen as it found it (portrait, nothing presented), so that the tour can go on to
    // the settings and back to the home menu. False ends the tour.
    virtual bool walkTour(TourSteps& steps);

    fretkit::PlistValue valueOfCell(QVTableViewCell& cell) override;
    void didSelectCell(QVTableViewCell& cell) override;
    void listEditorValueDidChange(QVListEditor& editor) override;
    void pickerEditorValueDidChange(QVPickerEditor& editor) override;

public slots:
    // The action of switch, slider and segmented rows: stores the control's value.
    void valueDidChange(QVTableViewCell* cell);

protected:
    void viewDidLoad() override;
    // The choices an editor of the key offers in place of its row's "values" (a tool builds
    // some lists at run time, such as the tunings); null for the row's own.
    virtual fretkit::PlistValue choicesForKey(const std::string& key) const;
    // The tool's reaction to a setting just stored.
    virtual void settingDidChange(const std::string& key);

    // Keeps the about button in the view's bottom right corner when the view is resized, unless
    // the tool has moved it elsewhere.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static QPoint aboutCorner(QSize viewSize);
    void store(const fretkit::PlistValue& value, const std::string& key);

    QString className_;
    QPointer<NavigationController> settings_;
    QAbstractButton* aboutButton_ = nullptr;
    QSize aboutPlacedFor_; // the view's size when the about button was put in its corner
};
