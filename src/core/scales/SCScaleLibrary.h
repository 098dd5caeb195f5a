#pragma once

#include "SCNote.h"
#include "SCScale.h"
#include "SCScaleSearch.h"
#include "foundation/PlistValue.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace fretkit {

class Bundle;

// What the scales screen chooses from: the roots ("SCNotes"), the scale types ("SCScales") in
// their four groups, and the tunings ("BZTunings"). Rows and indexes that come from stored
// settings may lie past a list (an edited settings file, a shorter list): they name nothing and
// find nothing, and never reach past the end.
class SCScaleLibrary {
public:
    struct Group {
        unsigned location = 0;
        unsigned length = 0;
        bool operator==(const Group&) const = default;
    };
    static constexpr unsigned kGroupCount = 4;
    // Common scales, modes, the library and arpeggios: consecutive runs of the types list.
    static constexpr std::array<Group, kGroupCount> kGroups = {
        {{0, 11}, {11, 7}, {18, 67}, {85, 21}}};

    SCScaleLibrary() = default;
    // A list the bundle lacks stays empty (the bundle logs it).
    explicit SCScaleLibrary(const Bundle& bundle);
    SCScaleLibrary(std::vector<SCNote> roots, PlistValue types, PlistValue tunings);

    const std::vector<SCNote>& roots() const { return roots_; }
    const PlistValue& types() const { return types_; }
    const PlistValue& tunings() const { return tunings_; }

    // The group's run of types, cut short where the list ends; empty past the last group.
    Group group(unsigned index) const;
    // "" for a row or type past its list.
    std::string rootName(unsigned row) const;
    std::string typeName(unsigned type) const;
    // The root's name and the type's, "A Minor Pentatonic".
    std::string scaleName(unsigned rootRow, unsigned type) const;

    // Every playable pattern of the scale over the tuning the settings choose, from the nut up.
    std::vector<SCScale> scalesForRoot(unsigned rootRow, unsigned type,
                                       const SCScaleSearchSettings& settings) const;

    // A marker's title for the "SC_fingerLabels" choice: 0 the finger number, 1 the note's name,
    // 2 its interval; any other choice shows nothing.
    static std::string markerTitle(const SCScaleNote& note, std::int64_t fingerLabels);

private:
    std::vector<SCNote> roots_;
    PlistValue types_ = PlistValue::array();
    PlistValue tunings_ = PlistValue::array();
};

} // namespace fretkit
