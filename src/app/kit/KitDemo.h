#pragma once

#include <QStringList>
#include <functional>
#include <memory>

class PhoneScreen;

// Puts a page of the interface kit on the phone screen, to look at it or take its picture:
// "cells" (a settings table with every cell class), "list", "picker", "note", "name" (the
// editors), "about", "curtain" (a hint page) and "strip" (the horizontal picker).
class KitDemo {
public:
    static QStringList pages();
    // False when there is no such page.
    static bool show(const QString& page, PhoneScreen& screen);

    // Pages that libraries above the kit show (the fretboard's), added before the command line
    // is read; `show` answers false when it could not show the page.
    using PageShow = std::function<bool(PhoneScreen&)>;
    static void addPage(const QString& page, PageShow show);
};
