#include "TableView.h"

#include "DragScroller.h"
#include "TableViewDataSource.h"
#include "ViewAnimation.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>

namespace {

// The wood the groups lie on: a dark grain drawn once per size.
class TableBackground : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QLinearGradient base(0, 0, width(), 0);
        base.setColorAt(0.0, QColor(0x3a, 0x24, 0x16));
        base.setColorAt(0.5, QColor(0x4a, 0x2f, 0x1c));
        base.setColorAt(1.0, QColor(0x36, 0x21, 0x14));
        painter.fillRect(rect(), base);
        painter.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < 26; ++i) {
            const double x = (i * 37 % 320) + (i % 3) * 3.5;
            QColor grain = i % 2 ? QColor(0x2a, 0x18, 0x0e, 70) : QColor(0x6a, 0x46, 0x2a, 45);
            painter.setPen(QPen(grain, 1.0 + (i % 3) * 0.6));
            QPainterPath path({x, 0.0});
            const double sway = 4.0 + (i % 5);
            path.cubicTo(x + sway, height() * 0.3, x - sway, height() * 0.7, x + sway / 2,
                         height());
            painter.drawPath(path);
        }
    }
};

constexpr int kSectionGap = 10;

} // namespace

TableView::TableView(QWidget* parent) : QScrollArea(parent), scroller_(new DragScroller(this)) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidgetResizable(false);
    setWidget(new TableBackground);
    scroller_->watch(widget());
    connect(scroller_, &DragScroller::dragStarted, this, [](QWidget* pressed) {
        if (auto* cell = qobject_cast<TableViewCell*>(pressed)) {
            cell->setHighlighted(false); // the press became a drag: no selection
        }
    });
    viewport()->setAutoFillBackground(true);
    QPalette shade = viewport()->palette();
    shade.setColor(QPalette::Window, QColor(0x3f, 0x28, 0x18));
    viewport()->setPalette(shade);
    verticalScrollBar()->setStyleSheet(QStringLiteral(
        "QScrollBar:vertical{width:6px;background:transparent;margin:2px;}"
        "QScrollBar::handle:vertical{background:rgba(255,240,220,90);border-radius:2px;}"
        "QScrollBar::add-line,QScrollBar::sub-line{height:0;}"));
    resize(320, 416);
}

TableView::~TableView() = default;

int TableView::numberOfRows(int section) const {
    return section >= 0 && section < numberOfSections()
               ? static_cast<int>(rows_[static_cast<std::size_t>(section)].size())
               : 0;
}

TableViewCell* TableView::cellForRow(IndexPath path) const {
    if (path.row < 0 || path.row >= numberOfRows(path.section)) {
        return nullptr;
    }
    return rows_[static_cast<std::size_t>(path.section)][static_cast<std::size_t>(path.row)].cell;
}

IndexPath TableView::indexPathForCell(const TableViewCell* cell) const {
    for (int s = 0; s < numberOfSections(); ++s) {
        for (int r = 0; r < numberOfRows(s); ++r) {
            if (cellForRow({s, r}) == cell) {
                return {s, r};
            }
        }
    }
    return {-1, -1};
}

QRect TableView::rectForRow(IndexPath path) const {
    if (!cellForRow(path)) {
        return {};
    }
    return rows_[static_cast<std::size_t>(path.section)][static_cast<std::size_t>(path.row)].frame;
}

QString TableView::headerText(int section) const {
    return section >= 0 && section < numberOfSections()
               ? headers_[static_cast<std::size_t>(section)]
               : QString();
}

QString TableView::footerText(int section) const {
    return section >= 0 && section < numberOfSections()
               ? footers_[static_cast<std::size_t>(section)]
               : QString();
}

TableViewCell* TableView::dequeueReusableCell(const QString& identifier) {
    const auto it = pool_.find(identifier);
    if (it == pool_.end()) {
        return nullptr;
    }
    TableViewCell* cell = it.value();
    pool_.erase(it);
    return cell;
}

void TableView::recycle() {
    for (auto& section : rows_) {
        for (Row& row : section) {
            row.cell->hide();
            row.cell->setHighlighted(false);
            pool_.insert(row.cell->reuseIdentifier(), row.cell);
        }
    }
    rows_.clear();
    headers_.clear();
    footers_.clear();
    qDeleteAll(labels_);
    labels_.clear();
}

void TableView::reloadData() {
    QWidget* canvas = widget();
    recycle();
    const int sections = dataSource_ ? dataSource_->numberOfSections(*this) : 0;
    int y = kSectionGap;
    for (int section = 0; section < sections; ++section) {
        layoutSection(section, y, canvas);
    }
    canvas->resize(width(), std::max(y + kSectionGap, height()));
}

QLabel* TableView::makeSectionLabel(const QString& text, bool header, QWidget* canvas, int& y) {
    auto* label = new QLabel(text, canvas);
    QFont font;
    font.setPixelSize(header ? 17 : 15);
    font.setBold(header);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(header ? Qt::AlignLeft | Qt::AlignBottom : Qt::AlignHCenter | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     header ? QColor(0xf3, 0xe6, 0xcf) : QColor(0xd9, 0xc4, 0xa4));
    label->setPalette(palette);
    const int labelWidth = width() - 40;
    const int height = std::max(header ? 36 : 22, label->heightForWidth(labelWidth) + 6);
    label->setGeometry(20, y, labelWidth, height);
    label->show();
    labels_.append(label);
    y += height;
    return label;
}

void TableView::layoutSection(int section, int& y, QWidget* canvas) {
    const QString header = dataSource_->titleForHeader(*this, section);
    const QString footer = dataSource_->titleForFooter(*this, section);
    headers_.push_back(header);
    footers_.push_back(footer);
    if (!header.isEmpty()) {
        makeSectionLabel(header, true, canvas, y);
    }
    std::vector<Row> rows;
    const int count = std::max(0, dataSource_->numberOfRows(*this, section));
    for (int row = 0; row < count; ++row) {
        TableViewCell* cell = dataSource_->cellForRow(*this, {section, row});
        if (!cell) {
            continue;
        }
        const int height = dataSource_->heightForRow(*this, {section, row}, cell);
        cell->setParent(canvas);
        scroller_->watch(cell);
        const QRect frame(0, y, width(), height);
        cell->setGeometry(frame);
        using Position = TableViewCell::GroupPosition;
        cell->setGroupPosition(count == 1         ? Position::Single
                               : row == 0         ? Position::First
                               : row == count - 1 ? Position::Last
                                                  : Position::Middle);
        disconnect(cell, &TableViewCell::pressed, this, nullptr);
        connect(cell, &TableViewCell::pressed, this,
                [this](TableViewCell* pressed) { selectRow(indexPathForCell(pressed)); });
        cell->show();
        rows.push_back({cell, frame});
        y += height;
    }
    rows_.push_back(std::move(rows));
    if (!footer.isEmpty()) {
        y += 4;
        makeSectionLabel(footer, false, canvas, y);
    }
    y += kSectionGap;
}

void TableView::selectRow(IndexPath path) {
    TableViewCell* cell = cellForRow(path);
    if (!cell) {
        return;
    }
    cell->setHighlighted(true);
    if (dataSource_) {
        dataSource_->didSelectRow(*this, path);
    }
}

void TableView::deselectRow(IndexPath path, bool animated) {
    TableViewCell* cell = cellForRow(path);
    if (!cell) {
        return;
    }
    if (!animated) {
        cell->setHighlighted(false);
        return;
    }
    QPointer<TableViewCell> target = cell;
    QTimer::singleShot(200, cell, [target] {
        if (target) {
            target->setHighlighted(false);
        }
    });
}

void TableView::scrollToRowInMiddle(IndexPath path) {
    const QRect frame = rectForRow(path);
    if (frame.isNull()) {
        return;
    }
    const int target = frame.center().y() - viewport()->height() / 2;
    // The range is set here too: a table not yet shown has not heard of its canvas's size.
    verticalScrollBar()->setRange(0, std::max(0, widget()->height() - viewport()->height()));
    verticalScrollBar()->setValue(std::clamp(target, 0, verticalScrollBar()->maximum()));
}
