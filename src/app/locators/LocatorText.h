#pragma once

#include <QString>
#include <string>

class QVTableViewCell;

// Texts as the locators' screens show them.
class LocatorText {
public:
    // A web or mail address in a single-line contact row: without "http://" or "https://", and
    // shortened in the middle when it is wider than the row's value, so that both the start of
    // the name and its domain stay readable. Tapping the row still opens the whole address.
    static std::string contactValue(const QVTableViewCell& cell, const std::string& address);
    // A reason as an alert's message: a sentence, with a capital and a full stop.
    static QString sentence(const QString& reason);
};
