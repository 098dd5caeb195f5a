#pragma once

#include "foundation/TimerScheduler.h"
#include "tuner/TNNote.h"

#include <QPointF>
#include <QWidget>
#include <memory>
#include <optional>

// What the strobe and the needle displays share: they take each note on the main thread and
// move toward it on a repeating timer that runs from start() to stop() (stopped, a display still
// takes notes and keeps its state); both show the note's letter, or a string number under a
// tuning, with a sharp sign beside it. Main thread only.
class TNDisplayView : public QWidget {
    Q_OBJECT

public:
    ~TNDisplayView() override;

    virtual void input(const std::optional<TNNote>& note) = 0;
    // One tick of the animation.
    virtual void refresh() = 0;
    void start();
    void stop();
    bool isRunning() const { return timer_ != nullptr; }

    // The letter image shown now ("TNStrobe_A", "TNNeedle_6"); empty without a note.
    const QString& letterImage() const { return letterImage_; }
    bool isSharpShown() const { return sharpShown_; }

protected:
    // `prefix` names the display's images: its letters are the prefix and the first character
    // of the note's name, its sharp sign the prefix and "sharp".
    TNDisplayView(fretkit::TimerScheduler& scheduler, double tickInterval, QString prefix,
                  QWidget* parent);

    void showGlyph(const std::optional<TNNote>& note);
    // The letter centred on `centre` (with its sharp sign, the two centred together).
    void drawGlyph(QPainter& painter, QPointF centre) const;

private:
    fretkit::TimerScheduler& scheduler_;
    double tickInterval_;
    QString prefix_;
    std::shared_ptr<fretkit::RepeatingTimer> timer_;
    QString letterImage_;
    bool sharpShown_ = false;
};
