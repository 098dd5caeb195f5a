#include "KitDemo.h"

#include "QVAbout.h"
#include "QVHintCurtain.h"
#include "QVHorizontalPickerContentView.h"
#include "QVHorizontalPickerView.h"
#include "QVLabel.h"
#include "QVListEditor.h"
#include "QVMIDINoteEditor.h"
#include "QVNameEditor.h"
#include "QVPickerEditor.h"
#include "QVTableView.h"
#include "QVTableViewCell.h"
#include "QVTableViewDelegate.h"
#include "foundation/PlistValue.h"
#include "ui/NavigationController.h"
#include "ui/PhoneScreen.h"
#include "ui/ScreenImage.h"

#include <QLabel>

using fretkit::PlistValue;

namespace {

PlistValue row(std::initializer_list<PlistValue::Entry> entries) {
    return PlistValue::dictionary(entries);
}

PlistValue choices(std::initializer_list<const char*> names) {
    PlistValue list = PlistValue::array();
    for (const char* name : names) {
        list.append(row({{"value", name}, {"text", name}}));
    }
    return list;
}

PlistValue cellsStructure() {
    PlistValue tuning = row({{"class", "QVTitleValueTableViewCell"},
                             {"key", "TN_tuning"},
                             {"title", "Tuning"},
                             {"editable", true},
                             {"values", choices({"Standard", "Drop D", "Open G"})}});
    PlistValue general = PlistValue::array(
        {tuning,
         row({{"class", "QVSwitchTableViewCell"}, {"key", "MT_flashOnBar"}, {"text", "Flash"}}),
         row({{"class", "QVSliderTableViewCell"}, {"key", "volume"}, {"text", "Volume"}}),
         row({{"class", "QVTitleTableViewCell"}, {"title", "Left-handed"}, {"editable", true}})});
    PlistValue contact = PlistValue::array(
        {row({{"class", "QVContactsTableViewCell"}, {"title", "Phone"}, {"value", "555 0134"}}),
         row({{"class", "QVContactsTableViewCell"},
              {"title", "Address"},
              {"isMultiline", true},
              {"value", "12 Luthier Lane\nSpruce Hill"}}),
         row({{"class", "QVButtonTableViewCell"}, {"text", "Show on Map"}})});
    return PlistValue::array(
        {row({{"contents",
               PlistValue::array({row({{"class", "QVSegmentedButtonTableViewCell"},
                                       {"segments", PlistValue::array({"Strobe", "Needle"})}})})}}),
         row({{"title", "Sound"}, {"footer", "Settings apply at once."}, {"contents", general}}),
         row({{"title", "Contact"}, {"contents", contact}}),
         row({{"contents", PlistValue::array({row({{"class", "QVDeleteButtonTableViewCell"},
                                                   {"text", "Reset Settings"}})})}})});
}

// The settings page: a table of every cell class, with values to show.
class CellsPage : public ViewController, public QVTableViewDelegate, public QVTableValueOfCell {
public:
    CellsPage() { setTitle(QStringLiteral("Settings")); }
    PlistValue valueOfCell(QVTableViewCell& cell) override {
        const std::string key = cell.key();
        if (key == "TN_tuning") {
            return "Drop D";
        }
        if (key == "MT_flashOnBar") {
            return true;
        }
        if (key == "volume") {
            return 0.7;
        }
        return cell.structure().contains("segments") ? PlistValue(0) : cell.structure()["value"];
    }

protected:
    void loadView() override {
        auto* table = new QVTableView(this);
        table->resize(320, 416);
        table->setContents(cellsStructure());
        table->reloadData();
        setView(table);
    }
};

// The horizontal picker on the wood, with a label drawn over a blurred shadow.
class StripPage : public ViewController, public QVHorizontalPickerViewDelegate {
public:
    StripPage() { setTitle(QStringLiteral("Picker")); }
    unsigned numberOfItemsInPickerView(QVHorizontalPickerView&) override { return 12; }
    Item pickerViewItemAtPosition(QVHorizontalPickerView&, unsigned index) override {
        static const char* names[] = {"C",  "C#", "D",  "Eb", "E",  "F",
                                      "F#", "G",  "Ab", "A",  "Bb", "B"};
        return QString::fromLatin1(names[index]);
    }
    void pickerSelectionDidChange(QVHorizontalPickerView&) override {}

protected:
    void loadView() override {
        auto* page = new QVTableView;
        page->resize(320, 416);
        page->reloadData();
        auto* label = new QVLabel(QStringLiteral("Root"), page->viewport());
        label->setGeometry(0, 40, 320, 40);
        label->setAlignment(Qt::AlignCenter);
        QFont font;
        font.setPixelSize(28);
        font.setBold(true);
        label->setFont(font);
        label->setStyleSheet(QStringLiteral("color:#f6ead4;background:transparent;"));
        label->setShadowBlur(6);
        label->setShadowOffset({0, 3});
        auto* strip = new QVHorizontalPickerView(page->viewport());
        strip->setGeometry(0, 100, 320, 60);
        strip->setStyleSheet(QStringLiteral("background:transparent;"));
        QPalette palette = strip->contentView()->palette();
        palette.setColor(QPalette::WindowText, QColor(0xf6, 0xea, 0xd4));
        strip->contentView()->setPalette(palette);
        strip->setDelegate(this);
        strip->reloadItems();
        strip->setSelectedItemIndex(4);
        auto* about = new QLabel(page->viewport());
        about->setPixmap(ScreenImage::load(QStringLiteral("QVAbout_button")));
        about->setGeometry(280, 370, 30, 30);
        setView(page);
    }
};

std::unique_ptr<ViewController> editorPage(const QString& page) {
    const PlistValue list = choices({"Standard", "Drop D", "Open G", "DADGAD", "Half step down"});
    if (page == QLatin1String("list")) {
        auto editor = std::make_unique<QVListEditor>();
        editor->setStructure(
            row({{"values", list}, {"footer", "The tuning of the open strings."}}));
        editor->selectItemWithValue("Drop D");
        editor->setTitle(QStringLiteral("Tuning"));
        return editor;
    }
    if (page == QLatin1String("picker")) {
        auto editor = std::make_unique<QVPickerEditor>();
        editor->setStructure(row({{"values", list}}));
        editor->selectItemWithValue("Open G");
        editor->setTitle(QStringLiteral("Tuning"));
        return editor;
    }
    if (page == QLatin1String("note")) {
        auto editor = std::make_unique<QVMIDINoteEditor>();
        editor->setNote(64);
        editor->setTitle(QStringLiteral("Note"));
        return editor;
    }
    if (page == QLatin1String("name")) {
        auto editor = std::make_unique<QVNameEditor>();
        editor->setText(QStringLiteral("My Guitar"));
        editor->setTitle(QStringLiteral("Name"));
        return editor;
    }
    return nullptr;
}

std::vector<std::pair<QString, KitDemo::PageShow>>& addedPages() {
    static std::vector<std::pair<QString, KitDemo::PageShow>> pages;
    return pages;
}

} // namespace

QStringList KitDemo::pages() {
    QStringList names = {QStringLiteral("cells"),   QStringLiteral("list"),
                         QStringLiteral("picker"),  QStringLiteral("note"),
                         QStringLiteral("name"),    QStringLiteral("about"),
                         QStringLiteral("curtain"), QStringLiteral("strip")};
    for (const auto& added : addedPages()) {
        names.append(added.first);
    }
    return names;
}

void KitDemo::addPage(const QString& page, PageShow show) {
    if (!pages().contains(page)) {
        addedPages().emplace_back(page, std::move(show));
    }
}

bool KitDemo::show(const QString& page, PhoneScreen& screen) {
    if (!pages().contains(page)) {
        return false;
    }
    for (const auto& [name, added] : addedPages()) {
        if (name == page) {
            return added(screen);
        }
    }
    if (page == QLatin1String("about")) {
        screen.setRootViewController(QVAbout::aboutController(true));
        return true;
    }
    auto stack = std::make_unique<NavigationController>(std::make_unique<CellsPage>());
    NavigationController* navigation = stack.get();
    screen.setRootViewController(std::move(stack));
    if (page == QLatin1String("strip")) {
        navigation->pushViewController(std::make_unique<StripPage>(), false);
    } else if (auto editor = editorPage(page)) {
        navigation->pushViewController(std::move(editor), false);
    } else if (page == QLatin1String("curtain")) {
        auto* curtain = new QVHintCurtain(QStringLiteral("QVKitHint"));
        curtain->setTitle(QStringLiteral("Hints"));
        curtain->setTransitionStyle(1);
        curtain->show();
    }
    return true;
}
