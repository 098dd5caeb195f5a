#pragma once

#include <QStringList>
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
};
