#include "BZLocationEditor.h"

#include "BZLocationEditorDelegate.h"
#include "foundation/Bundle.h"
#include "foundation/Log.h"
#include "ui/NavigationBar.h"
#include "ui/SegmentedControl.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"

#include <QLabel>

namespace {

constexpr const char* kStringTable = "BZLocationEditor";

QString text(const char* key, const char* fallback) {
    return QString::fromStdString(
        fretkit::Bundle::main().localizedString(key, fallback, kStringTable));
}

QStringList stringList(const char* name) {
    QStringList list;
    const std::optional<fretkit::PlistValue> value = fretkit::Bundle::main().propertyList(name);
    if (!value || !value->isArray()) {
        if (value) {
            fretkit::Log::format("BZLocationEditor -- %s is not a list", name);
        }
        return list;
    }
    for (std::size_t i = 0; i < value->count(); ++i) {
        list << QString::fromStdString((*value)[i].stringValue());
    }
    return list;
}

bool isPostalCode(const QString& code) {
    if (code.size() != BZLocationEditor::kDigits) {
        return false;
    }
    return std::all_of(code.begin(), code.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

QLabel* makeLabel(QWidget* parent, QRect frame, int pixelSize, bool bold) {
    auto* label = new QLabel(parent);
    QFont font;
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color:#f3e6cf;background:transparent;"));
    label->setGeometry(frame);
    return label;
}

} // namespace

BZLocationEditor::BZLocationEditor()
    : BZLocationEditor(stringList("BZCountryCodes"), stringList("BZCountryNames")) {}

BZLocationEditor::BZLocationEditor(QStringList countryCodes, QStringList countryNames)
    : countryCodes_(std::move(countryCodes)), countryNames_(std::move(countryNames)) {
    if (countryCodes_.size() != countryNames_.size()) {
        fretkit::Log::format("BZLocationEditor -- %lld country codes but %lld names",
                             static_cast<long long>(countryCodes_.size()),
                             static_cast<long long>(countryNames_.size()));
        const qsizetype shared = std::min(countryCodes_.size(), countryNames_.size());
        countryCodes_.resize(shared);
        countryNames_.resize(shared);
    }
    setTitle(text("BZLocationEditor_title", "Location"));
    if (!setCountryCode(QStringLiteral("GB")) && !countryCodes_.isEmpty()) {
        selectedCountryIndex_ = 0;
    }
}

BZLocationEditor::~BZLocationEditor() = default;

BZLocationEditor* BZLocationEditor::presentOver(ViewController& presenter,
                                                BZLocationEditorDelegate* delegate, bool animated) {
    auto editor = std::make_unique<BZLocationEditor>();
    BZLocationEditor* shown = editor.get();
    shown->setDelegate(delegate);
    presenter.presentModalViewController(std::move(editor), animated);
    return presenter.modalViewController() == shown ? shown : nullptr;
}

void BZLocationEditor::setInternational(bool international) {
    international_ = international;
    if (countryTable_) {
        countryTable_->setVisible(international);
        if (international) {
            updateCountry(); // a table is only measured once shown
        }
    }
}

bool BZLocationEditor::setPostalCode(const QString& code) {
    if (code.isNull()) {
        return false;
    }
    if (!isPostalCode(code)) {
        notice_ = text("BZLocationEditor_invalidPostalCode",
                       "\u201c%1\u201d is not a five-digit postal code; %2 is kept.")
                      .arg(code.left(20), postalCode_);
        updatePostalCode();
        return false;
    }
    postalCode_ = code;
    notice_.clear();
    updatePostalCode();
    return true;
}

bool BZLocationEditor::selectCountryAt(qsizetype index) {
    if (index < 0) {
        return false;
    }
    moveCheckmark(static_cast<unsigned>(index));
    updateCountry();
    return true;
}

void BZLocationEditor::moveCheckmark(unsigned index) {
    const unsigned previous = std::exchange(selectedCountryIndex_, index);
    if (!countryTable_ || previous == index) {
        return;
    }
    // The table's cells are all made at load: the two rows that changed are marked again.
    if (TableViewCell* old = countryTable_->cellForRow({0, static_cast<int>(previous)})) {
        old->setAccessoryType(TableViewCell::Accessory::None);
    }
    if (TableViewCell* chosen = countryTable_->cellForRow({0, static_cast<int>(index)})) {
        chosen->setAccessoryType(TableViewCell::Accessory::Checkmark);
    }
}

bool BZLocationEditor::setCountryCode(const QString& code) {
    return selectCountryAt(countryCodes_.indexOf(code.trimmed().toUpper()));
}

bool BZLocationEditor::setCountryName(const QString& name) {
    qsizetype index = countryNames_.indexOf(name);
    if (index < 0 && !name.isNull()) {
        const QString wanted = name.trimmed();
        const auto found =
            std::find_if(countryNames_.begin(), countryNames_.end(), [&](const QString& stored) {
                return stored.compare(wanted, Qt::CaseInsensitive) == 0;
            });
        index = found == countryNames_.end() ? -1 : found - countryNames_.begin();
    }
    return selectCountryAt(index);
}

QString BZLocationEditor::countryCode() const {
    return selectedCountryIndex_ < static_cast<unsigned>(countryCodes_.size())
               ? countryCodes_[selectedCountryIndex_]
               : QString();
}

QString BZLocationEditor::countryName() const {
    return selectedCountryIndex_ < static_cast<unsigned>(countryNames_.size())
               ? countryNames_[selectedCountryIndex_]
               : QString();
}

QString BZLocationEditor::capitalizedName(const QString& name) {
    static const QStringList joining = {
        QStringLiteral("and"), QStringLiteral("of"), QStringLiteral("the"), QStringLiteral("da"),
        QStringLiteral("de"),  QStringLiteral("du"), QStringLiteral("des"), QStringLiteral("la")};
    QString shown = name;
    bool wordStart = true;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QChar c = shown[i];
        // An apostrophe after one letter ends an elided word: "d'Ivoire".
        const bool elision = c == QLatin1Char('\'') && i > 0 && shown[i - 1].isLetter() &&
                             (i == 1 || !shown[i - 2].isLetter());
        if (c.isSpace() || c == QLatin1Char('-') || c == QLatin1Char('(') || elision) {
            wordStart = true;
            continue;
        }
        if (!wordStart) {
            continue;
        }
        wordStart = false;
        qsizetype end = i;
        while (end < shown.size() && shown[end].isLetter()) {
            ++end;
        }
        const QString word = shown.mid(i, end - i);
        const bool inside = i > 0;
        const bool elided = end < shown.size() && shown[end] == QLatin1Char('\'') && word == "d";
        if (inside && (joining.contains(word) || elided)) {
            continue; // "Trinidad and Tobago", "Côte d'Ivoire"
        }
        shown[i] = c.toUpper();
    }
    return shown;
}

void BZLocationEditor::close(int senderTag) {
    if (closing_) {
        return;
    }
    closing_ = true;
    if (delegate_) {
        delegate_->locationEditorWillClose(*this, senderTag != 0);
    }
    dismissModalViewController(true);
}

void BZLocationEditor::localeDidChange(int selectedSegment) {
    setInternational(selectedSegment == 1);
}

void BZLocationEditor::loadView() {
    auto* view = new QWidget;
    view->resize(kFrameWidth, kFrameHeight);
    // The grouped table's wood behind everything.
    auto* background = new TableView(view);
    background->setGeometry(0, NavigationBar::kHeight, kFrameWidth,
                            kFrameHeight - NavigationBar::kHeight);
    background->reloadData();

    bar_ = new NavigationBar(view);
    bar_->setGeometry(0, 0, kFrameWidth, NavigationBar::kHeight);
    NavigationItem item;
    item.title = title();
    item.leftButton = BarButton{text("BZLocationEditor_cancel", "Cancel"), BarButton::Style::Plain,
                                [this] { close(1); }};
    item.rightButton = BarButton{text("BZLocationEditor_done", "Done"), BarButton::Style::Done,
                                 [this] { close(0); }};
    bar_->setItem(item, QString());

    segmentedControl_ = new SegmentedControl(view);
    segmentedControl_->setSegments({text("BZLocationEditor_postalCode", "Postal Code"),
                                    text("BZLocationEditor_country", "Country")});
    segmentedControl_->setGeometry(10, NavigationBar::kHeight + 8, kFrameWidth - 20, 36);
    connect(segmentedControl_, &SegmentedControl::selectedByUser, this,
            &BZLocationEditor::localeDidChange);

    const int below = NavigationBar::kHeight + 52;
    zipCodeLabel_ = makeLabel(view, {0, below + 20, kFrameWidth, 60}, 48, true);
    noticeLabel_ = makeLabel(view, {20, below + 84, kFrameWidth - 40, 56}, 14, false);

    picker_ = new WheelPicker(view);
    picker_->setGeometry(0, kFrameHeight - WheelPicker::kHeight, kFrameWidth, WheelPicker::kHeight);
    picker_->setDataSource(this);

    countryTable_ = new TableView(view);
    countryTable_->setGeometry(0, below, kFrameWidth, kFrameHeight - below);
    countryTable_->setDataSource(this);
    setView(view);
}

void BZLocationEditor::viewDidLoad() {
    segmentedControl_->setSelectedSegment(international_ ? 1 : 0);
    picker_->reloadAllComponents();
    countryTable_->reloadData();
    countryTable_->setVisible(international_);
    updatePostalCode();
    updateCountry();
}

void BZLocationEditor::updatePostalCode() {
    if (!isViewLoaded() || !zipCodeLabel_) {
        return;
    }
    zipCodeLabel_->setText(postalCode_);
    noticeLabel_->setText(notice_);
    for (int i = 0; i < kDigits; ++i) {
        picker_->selectRow(postalCode_[i].unicode() - '0', i, false);
    }
}

void BZLocationEditor::updateCountry() {
    if (isViewLoaded() && countryTable_ && selectedCountryIndex_ != kNotFound) {
        countryTable_->scrollToRowInMiddle({0, static_cast<int>(selectedCountryIndex_)});
    }
}

QString BZLocationEditor::titleForRow(WheelPicker&, int row, int) {
    return QStringLiteral("  %1").arg(row);
}

void BZLocationEditor::didSelectRow(WheelPicker& picker, int, int) {
    QString code;
    for (int i = 0; i < kDigits; ++i) {
        code += QString::number(std::max(0, picker.selectedRow(i)));
    }
    setPostalCode(code);
}

int BZLocationEditor::numberOfRows(TableView&, int) {
    return static_cast<int>(countryNames_.size());
}

TableViewCell* BZLocationEditor::cellForRow(TableView& table, IndexPath path) {
    static const QString identifier = QStringLiteral("cell");
    TableViewCell* cell = table.dequeueReusableCell(identifier);
    if (!cell) {
        cell = new TableViewCell(TableViewCell::Style::Default, identifier);
    }
    cell->textLabel()->setText(capitalizedName(countryNames_[path.row]));
    cell->setAccessoryType(static_cast<unsigned>(path.row) == selectedCountryIndex_
                               ? TableViewCell::Accessory::Checkmark
                               : TableViewCell::Accessory::None);
    return cell;
}

void BZLocationEditor::didSelectRow(TableView& table, IndexPath path) {
    moveCheckmark(static_cast<unsigned>(path.row));
    table.deselectRow(path, true);
}
