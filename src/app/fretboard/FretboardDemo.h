#pragma once

#include <QStringList>

class PhoneScreen;
class TourSteps;
class ViewController;

// The fretboard on its own, to look at it, play it and take its picture: an E major chord
// (A shape at the seventh fret, the high E open, the low E muted) on an upright neck and, turned
// to landscape, on a neck lying on its side, for either hand. Taps, plucks, strums and shakes
// show what the neck heard and flash the halo of the finger on the string.
class FretboardDemo {
public:
    // "fretboard", "fretboard-left-handed", "fretboard-landscape",
    // "fretboard-landscape-left-handed".
    static QStringList pages();
    // False when there is no such page.
    static bool show(const QString& page, PhoneScreen& screen);
    // Offers the pages in the kit demo.
    static void addKitPages();

    // Presents the demo over `home` and photographs it as a user plays it: portrait with a halo,
    // landscape, then left-handed in both; closes it again. False when a step is not reached.
    static bool walkTour(ViewController& home, TourSteps& steps);
};
