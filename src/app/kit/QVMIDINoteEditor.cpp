#include "QVMIDINoteEditor.h"

#include "QVEditorDelegate.h"
#include "foundation/QVMIDINoteFormatter.h"
#include "ui/TableView.h"

namespace {

const char* const kNames[12] = {"C", "C#", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"};

QLabel* makeLabel(QWidget* parent, int y, int size) {
    auto* label = new QLabel(parent);
    QFont font;
    font.setPixelSize(size);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("color:#f3e6cf;background:transparent;"));
    label->setGeometry(0, y, 320, size + 12);
    return label;
}

} // namespace

QString QVMIDINoteEditor::nameOfNote(unsigned note) {
    return QString::fromStdString(fretkit::QVMIDINoteFormatter().stringForObjectValue(note));
}

void QVMIDINoteEditor::loadView() {
    auto* background = new TableView;
    background->resize(320, 416);
    background->reloadData(); // an empty table: the wood alone
    QWidget* canvas = background->viewport();
    nameLabel_ = makeLabel(canvas, 40, 48);
    numberLabel_ = makeLabel(canvas, 104, 20);
    picker_ = new WheelPicker(canvas);
    picker_->setGeometry(0, 416 - WheelPicker::kHeight, 320, WheelPicker::kHeight);
    picker_->setDataSource(this);
    setView(background);
}

void QVMIDINoteEditor::viewWillAppear(bool) {
    picker_->reloadAllComponents();
    picker_->selectRow(static_cast<int>(note_ % 12), 0, false);
    picker_->selectRow(static_cast<int>(note_ / 12), 1, false);
    refreshLabels();
}

void QVMIDINoteEditor::viewWillDisappear(bool) {
    if (auto* listener = delegateAs<QVMIDINoteEditorWillClose>()) {
        listener->midiNoteEditorWillClose(*this);
    }
}

QString QVMIDINoteEditor::titleForRow(WheelPicker&, int row, int component) {
    return component == 0 ? QLatin1String(kNames[row]) : QString::number(row - 2);
}

void QVMIDINoteEditor::didSelectRow(WheelPicker& picker, int, int) {
    chooseRows(picker.selectedRow(0), picker.selectedRow(1));
}

void QVMIDINoteEditor::chooseRows(int nameRow, int octaveRow) {
    const int note = octaveRow * 12 + nameRow;
    if (note >= 128 || note < 0) {
        // Past the last MIDI note: the wheels go back to the note we had.
        if (picker_) {
            picker_->selectRow(static_cast<int>(note_ % 12), 0, true);
            picker_->selectRow(static_cast<int>(note_ / 12), 1, true);
        }
    } else {
        note_ = static_cast<unsigned>(note);
    }
    refreshLabels();
    if (auto* listener = delegateAs<QVMIDINoteEditorDidChange>()) {
        listener->midiNoteEditorDidChange(*this);
    }
}

void QVMIDINoteEditor::refreshLabels() {
    if (nameLabel_) {
        nameLabel_->setText(nameOfNote(note_));
        numberLabel_->setText(QString::number(note_));
    }
}
