#pragma once

#include "ui/TableViewDataSource.h"
#include "ui/ViewController.h"
#include "ui/WheelPicker.h"

#include <QStringList>

class BZLocationEditorDelegate;
class NavigationBar;
class QLabel;
class SegmentedControl;
class TableView;

// The modal screen where the user chooses how the locators search: by a five-digit postal code
// (set on a five-column digit wheel, shown in a label above it) or by country (a table of
// country names with a check mark). A segmented control switches between the two; both values
// are kept. Cancel and Done tell the delegate, then the screen goes away.
//
// Postal codes are exactly five decimal digits: anything else is refused, the last valid code
// stays and the screen says what was refused. A country that is not in the lists leaves the
// selection as it is.
class BZLocationEditor : public ViewController,
                         private WheelPickerDataSource,
                         private TableViewDataSource {
    Q_OBJECT

public:
    static constexpr unsigned kNotFound = 2147483647u;
    static constexpr int kDigits = 5;

    // The country lists from the bundle ("BZCountryCodes", "BZCountryNames").
    BZLocationEditor();
    // Parallel lists given by the caller; entries past the shorter list are left out.
    BZLocationEditor(QStringList countryCodes, QStringList countryNames);
    ~BZLocationEditor() override;

    // Makes an editor, lets the caller set it up and presents it modally over `presenter`;
    // answers it (the presenter owns it until it closes).
    static BZLocationEditor* presentOver(ViewController& presenter,
                                         BZLocationEditorDelegate* delegate, bool animated);

    BZLocationEditorDelegate* delegate() const { return delegate_; }
    void setDelegate(BZLocationEditorDelegate* delegate) { delegate_ = delegate; }

    bool international() const { return international_; }
    void setInternational(bool international);

    QString postalCode() const { return postalCode_; }
    // A null string is ignored; a code that is not five decimal digits is refused (false).
    bool setPostalCode(const QString& code);
    // Why the last code was refused; empty after a valid one.
    QString postalCodeNotice() const { return notice_; }

    // The selection by code (any letter case) or by name (as stored, any letter case); false,
    // with the selection kept, when the lists do not have it.
    bool setCountryCode(const QString& code);
    bool setCountryName(const QString& name);
    QString countryCode() const;
    QString countryName() const; // as stored in the list
    unsigned selectedCountryIndex() const { return selectedCountryIndex_; }
    const QStringList& countryCodes() const { return countryCodes_; }
    const QStringList& countryNames() const { return countryNames_; }

    // A name as the table shows it: each word begins with a capital letter, except the small
    // joining words inside a name ("and", "of", "the", ...); the rest of each word is kept.
    static QString capitalizedName(const QString& name);

    // The bar buttons' action: tag 0 confirms, any other tag cancels. Tells the delegate, then
    // dismisses the screen; a second press while it goes is ignored.
    void close(int senderTag);
    // The segmented control's action: 0 postal code, 1 country.
    void localeDidChange(int selectedSegment);

    // The views, made with the screen's view.
    NavigationBar* navigationBar() const { return bar_; }
    SegmentedControl* segmentedControl() const { return segmentedControl_; }
    QLabel* zipCodeLabel() const { return zipCodeLabel_; }
    WheelPicker* picker() const { return picker_; }
    TableView* countryTable() const { return countryTable_; }

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    void updatePostalCode();
    void updateCountry();
    bool selectCountryAt(qsizetype index);
    void moveCheckmark(unsigned index);

    // The digit wheels.
    int numberOfComponents(WheelPicker&) override { return kDigits; }
    int numberOfRows(WheelPicker&, int) override { return 10; }
    QString titleForRow(WheelPicker&, int row, int) override;
    int widthForComponent(WheelPicker&, int) override { return 55; }
    void didSelectRow(WheelPicker& picker, int row, int component) override;

    // The country table.
    int numberOfRows(TableView&, int) override;
    TableViewCell* cellForRow(TableView& table, IndexPath path) override;
    void didSelectRow(TableView& table, IndexPath path) override;

    BZLocationEditorDelegate* delegate_ = nullptr;
    bool international_ = false;
    QString postalCode_ = QStringLiteral("45056");
    QString notice_;
    unsigned selectedCountryIndex_ = kNotFound;
    QStringList countryCodes_;
    QStringList countryNames_;
    bool closing_ = false;

    NavigationBar* bar_ = nullptr;
    SegmentedControl* segmentedControl_ = nullptr;
    QLabel* zipCodeLabel_ = nullptr;
    QLabel* noticeLabel_ = nullptr;
    WheelPicker* picker_ = nullptr;
    TableView* countryTable_ = nullptr;
};
