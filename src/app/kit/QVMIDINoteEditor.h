#pragma once

#include "QVEditor.h"
#include "ui/WheelPicker.h"

#include <QLabel>

// Picks a MIDI note (0 ... 127) on two wheels, note name and octave, with the note's name and
// number shown above them. A choice past 127 turns the wheels back to the previous note.
class QVMIDINoteEditor : public QVEditor, private WheelPickerDataSource {
    Q_OBJECT

public:
    unsigned note() const { return note_; }
    void setNote(unsigned note) { note_ = std::min(note, 127u); }

    // The note's name with its octave, MIDI 60 being "C3".
    static QString nameOfNote(unsigned note);

    QLabel* nameLabel() { return nameLabel_; }
    QLabel* numberLabel() { return numberLabel_; }
    WheelPicker* picker() { return picker_; }
    // What turning the wheels to these rows does.
    void chooseRows(int nameRow, int octaveRow);

protected:
    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

private:
    int numberOfComponents(WheelPicker&) override { return 2; }
    int numberOfRows(WheelPicker&, int component) override { return component == 0 ? 12 : 11; }
    QString titleForRow(WheelPicker&, int row, int component) override;
    int widthForComponent(WheelPicker&, int) override { return 64; }
    void didSelectRow(WheelPicker& picker, int row, int component) override;
    void refreshLabels();

    unsigned note_ = 60;
    QLabel* nameLabel_ = nullptr;
    QLabel* numberLabel_ = nullptr;
    WheelPicker* picker_ = nullptr;
};
