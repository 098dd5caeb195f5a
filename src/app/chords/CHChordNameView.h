#pragma once

#include <QAbstractButton>

class CHStepButton;

// The top of the portrait chords screen: a plate with the chord's name between the previous
// and next step buttons; the room below it holds the string titles. A click on the plate (not
// on its buttons) asks for the picker.
class CHChordNameView : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr int kHeight = 108;
    static constexpr int kNameFontSize = 22;
    static constexpr int kSmallestNameFontSize = 13;

    explicit CHChordNameView(QWidget* parent);

    // The plate, in this view.
    static QRect plateRect() { return {4, 6, 312, 52}; }

    QString name() const { return text(); }
    void setName(const QString& name);
    CHStepButton* previousButton() const { return previous_; }
    CHStepButton* nextButton() const { return next_; }

    // The name's font: bold, as large as fits between the buttons, down to the smallest size.
    QFont nameFont() const;

protected:
    bool hitButton(const QPoint& position) const override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRect nameRect() const;

    CHStepButton* previous_;
    CHStepButton* next_;
};
