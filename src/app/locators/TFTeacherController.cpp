#include "TFTeacherController.h"

#include "BZTableKeys.h"
#include "BZURLConnection.h"
#include "LocatorCellClasses.h"
#include "LocatorText.h"
#include "TFTeacherHeaderTableViewCell.h"
#include "foundation/Bundle.h"
#include "kit/QVTableView.h"
#include "ui/NavigationController.h"
#include "ui/ScreenImage.h"
#include "ui/UrlOpener.h"

using fretkit::PlistValue;

namespace {

void open(const std::string& url) {
    if (!url.empty()) {
        UrlOpener::openURL(QUrl(QString::fromStdString(url), QUrl::StrictMode));
    }
}

} // namespace

TFTeacherController::TFTeacherController(fretkit::TFTeacher teacher,
                                         fretkit::LocatorServices services)
    : teacher_(std::move(teacher)), services_(std::move(services)) {
    LocatorCellClasses::registerAll();
    setTitle(QVTableViewCell::localized("TFTeacherController_title"));
    const std::string photo = teacher_.photoURL(services_.teachers);
    if (!photo.empty()) {
        fretkit::LocatorRequest request;
        request.url = photo;
        photo_ = BZURLConnection::send(
            std::move(request),
            [this](const fretkit::LocatorResponse& response) { photoDidFinish(response); }, this);
    }
}

TFTeacherController::~TFTeacherController() = default;

PlistValue TFTeacherController::contentsFor(const PlistValue& structure,
                                            const fretkit::TFTeacher& teacher) {
    PlistValue sections = PlistValue::array();
    for (const PlistValue& section : structure.arrayItems()) {
        PlistValue rows = PlistValue::array();
        for (const PlistValue& row : section["contents"].arrayItems()) {
            if (!teacher.valueForKey(row["key"].stringValue()).isNull()) {
                rows.append(row);
            }
        }
        if (rows.count() > 0) {
            PlistValue kept = section;
            kept.set("contents", rows);
            sections.append(kept);
        }
    }
    return sections;
}

std::string TFTeacherController::textOf(const PlistValue& value) {
    if (!value.isArray()) {
        return value.stringValue();
    }
    std::string text;
    for (const PlistValue& item : value.arrayItems()) {
        if (!text.empty()) {
            text += '\n';
        }
        text += item.stringValue();
    }
    return text;
}

void TFTeacherController::loadView() {
    table_ = QVTableView::tableViewWithDelegate(this);
    table_->setContents(contentsFor(
        fretkit::Bundle::main().propertyList("TFTeacherController").value_or(PlistValue::array()),
        teacher_));
    table_->reloadData();
    new BZTableKeys(*table_, *this); // the table owns it
    setView(table_);
}

void TFTeacherController::viewDidAppear(bool) {
    table_->setFocus();
}

void TFTeacherController::photoDidFinish(const fretkit::LocatorResponse& response) {
    QPixmap photo;
    if (!response.succeeded() ||
        !photo.loadFromData(reinterpret_cast<const uchar*>(response.body.data()),
                            static_cast<uint>(response.body.size()))) {
        return; // the placeholder stays
    }
    // Drawn in the header's frame whatever its pixels: a large photo stays sharp at scale 2.
    photo.setDevicePixelRatio(
        std::max(1.0, photo.width() / double(TFTeacherHeaderTableViewCell::kPhotoSide)));
    image_ = photo;
    if (table_) {
        table_->reloadData();
    }
}

PlistValue TFTeacherController::valueOfCell(QVTableViewCell& cell) {
    const std::string key = cell.key();
    if (auto* header = dynamic_cast<TFTeacherHeaderTableViewCell*>(&cell)) {
        header->setPhoto(
            image_.isNull() ? ScreenImage::load(QStringLiteral("TFTeacher_defaultImage")) : image_);
    }
    if (key == "website" || key == "email") {
        return LocatorText::contactValue(cell, teacher_.valueForKey(key).stringValue());
    }
    return textOf(teacher_.valueForKey(key));
}

void TFTeacherController::didSelectCell(QVTableViewCell& cell) {
    const std::string key = cell.key();
    if (key == "phone") {
        open(teacher_.phoneURL());
    } else if (key == "email") {
        open(teacher_.emailURL());
    } else if (key == "website") {
        open(teacher_.websiteURL().value_or(std::string()));
    } else if (key == "address") {
        open(teacher_.mapURL(services_.maps));
    }
}
