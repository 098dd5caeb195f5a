#pragma once

#include "foundation/PlistValue.h"

// Matches a stored setting against a row's choices ("value" and "text" dictionaries). A
// setting written by hand or by the command-line tool may hold 442 where the choices hold
// 442.0, or 1 where they hold YES; it still names that choice.
class BZSettingValue {
public:
    static bool same(const fretkit::PlistValue& a, const fretkit::PlistValue& b);
    // The last choice whose value is the same as the stored one, or null.
    static const fretkit::PlistValue* choiceFor(const fretkit::PlistValue& stored,
                                                const fretkit::PlistValue& choices);
    // The matching choice's own value, or the stored value when none matches.
    static fretkit::PlistValue inTypeOf(const fretkit::PlistValue& stored,
                                        const fretkit::PlistValue& choices);
};
