#pragma once

#include "BZFretboardDelegate.h"
#include "BZLandscapeView.h"
#include "ui/ViewController.h"

#include <QPointer>
#include <array>
#include <memory>
#include <vector>

class BZFinger;
class BZFretboard;
class BZStringTitle;
class QLabel;

// The screen of the fretboard demo: a chord on an upright neck with its string titles, the same
// on the landscape face, a bar button that changes hands and a line that tells what the neck
// heard. Both necks scroll with the wheel.
class FretboardDemoPage : public ViewController,
                          public BZFretboardDelegate,
                          public BZFretboardDidTapString,
                          public BZFretboardDidPluckString,
                          public BZFretboardDidStrum,
                          public BZFretboardDidShake {
    Q_OBJECT

public:
    static constexpr unsigned kShownFret = 7;

    // `closable`: a Done button dismisses the page (when it is presented).
    FretboardDemoPage(bool leftHanded, bool closable);
    ~FretboardDemoPage() override;

    BZFretboard* portraitFretboard() const { return portrait_.fretboard; }
    BZFretboard* landscapeFretboard() const { return landscape_.fretboard; }
    BZLandscapeView* landscapeView() const { return landscapeView_; }
    QString status() const;

    bool leftHanded() const { return leftHanded_; }
    void setLeftHanded(bool leftHanded);

    void fretboardDidTapString(BZFretboard& fretboard, unsigned string, unsigned fret) override;
    void fretboardDidPluckString(BZFretboard& fretboard, unsigned string, unsigned fret) override;
    void fretboardDidStrum(BZFretboard& fretboard, int direction) override;
    void fretboardDidShake(BZFretboard& fretboard) override;

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

private:
    struct Neck {
        BZFretboard* fretboard = nullptr;
        std::vector<std::shared_ptr<BZFinger>> fingers;
        std::array<BZStringTitle*, 6> titles{};
    };
    void fill(Neck& neck);
    void placeTitles();
    void updateHandButton();
    void flash(unsigned string);
    void tell(const QString& text);

    bool leftHanded_;
    bool closable_;
    Neck portrait_;
    Neck landscape_;
    QPointer<BZLandscapeView> landscapeView_;
    QLabel* portraitStatus_ = nullptr;
    QLabel* landscapeStatus_ = nullptr;
};
