#pragma once

#include "foundation/PlistValue.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace fretkit {
class Bundle;
}

// The tunings the tuner offers: "Chromatic" (no string notes) first, then every tuning of the
// bundle's BZTunings list in file order. A tuning is a dictionary with "name", "spelling" (the
// open strings, thickest first) and "notes" (six MIDI notes, thinnest string first).
class TNTunings {
public:
    static constexpr const char* kListName = "BZTunings";
    static constexpr const char* kChromatic = "Chromatic";

    // "Chromatic" then `tunings` (an array of dictionaries; other entries are left out).
    explicit TNTunings(const fretkit::PlistValue& tunings);
    // From the bundle; a missing or unreadable list leaves only "Chromatic".
    static TNTunings fromBundle(const fretkit::Bundle& bundle);

    std::size_t count() const { return list_.count(); }
    // The tuning at `index`; an index outside the list (a stored setting that outlived a longer
    // list) falls back to "Chromatic".
    const fretkit::PlistValue& at(std::size_t index) const;
    std::string nameAt(std::size_t index) const { return at(index)["name"].stringValue(); }
    // The index of the tuning called `name`, ignoring case.
    std::optional<std::size_t> indexOfName(std::string_view name) const;

private:
    fretkit::PlistValue list_;
};
