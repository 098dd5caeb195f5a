#include "QVAbout.h"

#include "QVTableView.h"
#include "QVTableViewCell.h"
#include "foundation/Bundle.h"
#include "ui/NavigationController.h"
#include "ui/UrlOpener.h"

std::unique_ptr<ViewController> QVAbout::aboutController(bool wrapped) {
    auto about = std::make_unique<QVAbout>();
    if (!wrapped) {
        return about;
    }
    ViewController* screen = about.get();
    auto navigation = std::make_unique<NavigationController>(std::move(about));
    screen->view(); // the title comes with the view
    screen->navigationItem().rightButton =
        BarButton{QString::fromStdString(fretkit::Bundle::main().localizedString("Done")),
                  BarButton::Style::Done, [screen] {
                      if (NavigationController* stack = screen->navigationController()) {
                          stack->dismissModalViewController(true);
                      }
                  }};
    screen->navigationItemChanged();
    navigation->view();
    navigation->navigationBar()->setBarStyle(NavigationBar::Style::Black);
    return navigation;
}

fretkit::PlistValue QVAbout::mergedContents(fretkit::PlistValue about,
                                            const fretkit::PlistValue& credits) {
    if (!about.isArray() || about.count() == 0) {
        return about;
    }
    fretkit::PlistValue::Array sections = about.arrayItems();
    if (credits.count() > 0) {
        fretkit::PlistValue rows = sections.back()["contents"];
        for (const fretkit::PlistValue& credit : credits.arrayItems()) {
            fretkit::PlistValue row = credit;
            row.set("class", "QVCreditsTableViewCell");
            row.set("key", "credit");
            rows.append(std::move(row));
        }
        sections.back().set("contents", std::move(rows));
    } else {
        sections.pop_back();
        // With no section left there is nowhere to put the copyright.
        if (!sections.empty()) {
            sections.back().set("footer", "QVAbout_copyright");
        }
    }
    return fretkit::PlistValue(std::move(sections));
}

void QVAbout::loadView() {
    table_ = new QVTableView(this);
    table_->resize(320, 416);
    setTitle(QString::fromStdString(fretkit::Bundle::main().localizedString("QVAbout_title")));
    const fretkit::Bundle& bundle = fretkit::Bundle::main();
    table_->setContents(
        mergedContents(bundle.propertyList("QVAbout").value_or(fretkit::PlistValue()),
                       bundle.propertyList("QVCredits").value_or(fretkit::PlistValue())));
    table_->reloadData();
    setView(table_);
}

void QVAbout::didSelectCell(QVTableViewCell& cell) {
    const std::string link = cell.structure()["link"].stringValue();
    if (!link.empty()) {
        UrlOpener::openURL(QUrl(QString::fromStdString(link)));
    }
}
