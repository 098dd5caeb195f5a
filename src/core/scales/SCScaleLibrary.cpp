#include "SCScaleLibrary.h"

#include "foundation/Bundle.h"

#include <algorithm>

namespace fretkit {
namespace {

std::vector<SCNote> rootsFrom(const PlistValue& list) {
    std::vector<SCNote> roots;
    for (const PlistValue& entry : list.arrayItems()) {
        roots.emplace_back(static_cast<unsigned>(entry["letter"].intValue()),
                           entry["accidentals"].intValue());
    }
    return roots;
}

PlistValue arrayOrEmpty(std::optional<PlistValue> list) {
    return list && list->isArray() ? std::move(*list) : PlistValue::array();
}

} // namespace

SCScaleLibrary::SCScaleLibrary(const Bundle& bundle)
    : SCScaleLibrary(rootsFrom(arrayOrEmpty(bundle.propertyList("SCNotes"))),
                     arrayOrEmpty(bundle.propertyList("SCScales")),
                     arrayOrEmpty(bundle.propertyList("BZTunings"))) {}

SCScaleLibrary::SCScaleLibrary(std::vector<SCNote> roots, PlistValue types, PlistValue tunings)
    : roots_(std::move(roots)), types_(std::move(types)), tunings_(std::move(tunings)) {}

SCScaleLibrary::Group SCScaleLibrary::group(unsigned index) const {
    if (index >= kGroupCount) {
        return {};
    }
    const auto count = static_cast<unsigned>(types_.count());
    const Group& whole = kGroups[index];
    const unsigned location = std::min(whole.location, count);
    return {location, std::min(whole.length, count - location)};
}

std::string SCScaleLibrary::rootName(unsigned row) const {
    return row < roots_.size() ? roots_[row].name() : std::string();
}

std::string SCScaleLibrary::typeName(unsigned type) const {
    return types_[type]["name"].stringValue();
}

std::string SCScaleLibrary::scaleName(unsigned rootRow, unsigned type) const {
    return rootName(rootRow) + " " + typeName(type);
}

std::vector<SCScale> SCScaleLibrary::scalesForRoot(unsigned rootRow, unsigned type,
                                                   const SCScaleSearchSettings& settings) const {
    if (rootRow >= roots_.size() || type >= types_.count()) {
        return {};
    }
    return SCScaleSearch::scalesForRoot(roots_[rootRow], type, types_, tunings_, settings);
}

std::string SCScaleLibrary::markerTitle(const SCScaleNote& note, std::int64_t fingerLabels) {
    switch (fingerLabels) {
    case 0:
        return std::to_string(note.finger());
    case 1:
        return note.name();
    case 2:
        return note.intervalName();
    default:
        return {};
    }
}

} // namespace fretkit
