#include "BZMainController.h"

#include "BZSettingValue.h"
#include "BZSettingsController.h"
#include "BZToolDefaults.h"
#include "foundation/Bundle.h"
#include "foundation/UserDefaults.h"
#include "kit/QVAbout.h"
#include "kit/QVChoiceEditor.h"
#include "kit/QVListEditor.h"
#include "kit/QVPickerEditor.h"
#include "kit/QVTableView.h"
#include "kit/QVTableViewCell.h"
#include "ui/NavigationController.h"
#include "ui/ScreenImage.h"

#include <QPushButton>
#include <QResizeEvent>

using fretkit::PlistValue;
using fretkit::UserDefaults;

BZMainController::BZMainController(QString className) : className_(std::move(className)) {
    BZToolDefaults::registerForClass(className_);
}

QString BZMainController::settingsListName(const QString& className) {
    return className.left(2) + QStringLiteral("Settings");
}

void BZMainController::viewDidLoad() {
    if (hasSettings()) {
        navigationItem().rightButton =
            BarButton{QString(), BarButton::Style::Plain, [this] { openSettings(); },
                      QStringLiteral("BZMainController_settings")};
        navigationItemChanged();
    }
    auto* about = new QPushButton(view());
    const QPixmap image = ScreenImage::load(QStringLiteral("QVAbout_button"));
    about->setIcon(QIcon(image));
    about->setIconSize(QSize(30, 30));
    about->setFlat(true);
    about->setStyleSheet(QStringLiteral("border:none;background:transparent;"));
    aboutPlacedFor_ = view()->size();
    about->setGeometry(QRect(aboutCorner(aboutPlacedFor_), QSize(30, 30)));
    connect(about, &QPushButton::clicked, this, [this] { openAbout(); });
    aboutButton_ = about;
    view()->installEventFilter(this);
}

QPoint BZMainController::aboutCorner(QSize viewSize) {
    return {viewSize.width() - 38, viewSize.height() - 38};
}

bool BZMainController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view() && event->type() == QEvent::Resize && aboutButton_) {
        // Qt gives no old size for a view resized before it was first shown, so the button
        // remembers the size it was placed for.
        if (aboutButton_->pos() == aboutCorner(aboutPlacedFor_)) {
            aboutPlacedFor_ = static_cast<QResizeEvent*>(event)->size();
            aboutButton_->move(aboutCorner(aboutPlacedFor_));
        }
    }
    return ViewController::eventFilter(watched, event);
}

void BZMainController::openSettings() {
    if (settings_) {
        return;
    }
    auto settings = std::make_unique<BZSettingsController>();
    QVTableView* table = QVTableView::tableViewWithDelegate(this);
    table->setContents(fretkit::Bundle::main()
                           .propertyList(settingsListName(className_).toStdString())
                           .value_or(PlistValue::array()));
    settings->setTableView(table);
    auto stack = std::make_unique<NavigationController>(std::move(settings));
    stack->view();
    stack->navigationBar()->setBarStyle(NavigationBar::Style::Black);
    settings_ = stack.get();
    // Presented from the root of the screens, as the whole stack goes under it.
    ViewController* presenter = navigationController();
    presentModalStack(presenter ? *presenter : *this, std::move(stack));
}

void BZMainController::openAbout() {
    presentModalStack(*this, QVAbout::aboutController(true));
}

void BZMainController::presentModalStack(ViewController& presenter,
                                         std::unique_ptr<ViewController> stack) {
    QWidget* view = stack->view();
    view->setAutoFillBackground(true);
    QPalette palette = view->palette();
    palette.setColor(QPalette::Window, Qt::black);
    view->setPalette(palette);
    presenter.presentModalViewController(std::move(stack), true);
}

PlistValue BZMainController::choicesForKey(const std::string&) const {
    return {};
}

void BZMainController::settingDidChange(const std::string&) {}

PlistValue BZMainController::valueOfCell(QVTableViewCell& cell) {
    const std::string key = cell.key();
    const PlistValue stored = UserDefaults::standard().objectForKey(key);
    const PlistValue choices = choicesForKey(key);
    if (!choices.isNull()) {
        const PlistValue* choice = BZSettingValue::choiceFor(stored, choices);
        return choice ? (*choice)["text"] : stored;
    }
    // The row maps the value to its text itself; it is only given in the row's own type.
    return BZSettingValue::inTypeOf(stored, cell.structure()["values"]);
}

void BZMainController::didSelectCell(QVTableViewCell& cell) {
    std::unique_ptr<QVEditor> editor = cell.editor();
    if (!editor || !settings_) {
        return;
    }
    const std::string key = cell.key();
    editor->setStructure(cell.structure());
    PlistValue stored = UserDefaults::standard().objectForKey(key);
    if (auto* choice = dynamic_cast<QVChoiceEditor*>(editor.get())) {
        const PlistValue choices = choicesForKey(key);
        if (!choices.isNull()) {
            choice->setList(choices);
        }
        stored = BZSettingValue::inTypeOf(stored, choice->list());
    }
    editor->selectItemWithValue(stored);
    settings_->pushViewController(std::move(editor), true);
}

void BZMainController::listEditorValueDidChange(QVListEditor& editor) {
    store(editor.valueOfSelectedItem(), editor.identifier());
}

void BZMainController::pickerEditorValueDidChange(QVPickerEditor& editor) {
    store(editor.valueOfSelectedItem(), editor.identifier());
}

void BZMainController::valueDidChange(QVTableViewCell* cell) {
    if (cell) {
        store(cell->value(), cell->key());
    }
}

void BZMainController::store(const PlistValue& value, const std::string& key) {
    if (key.empty() || value.isNull()) {
        return;
    }
    UserDefaults::standard().setObject(value, key);
    settingDidChange(key);
}

bool BZMainController::walkTour(TourSteps&) {
    return true;
}
