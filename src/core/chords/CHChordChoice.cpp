#include "CHChordChoice.h"

#include "CHNoteTables.h"
#include "CHSettings.h"
#include "CHVariantFamily.h"
#include "foundation/UserDefaults.h"

#include <algorithm>

namespace fretkit {
namespace {

// A stored value as an index, or not-found for one that cannot be (negative, or huge).
unsigned asIndex(std::int64_t value) {
    return value >= 0 && value < CHChordChoice::kNotFound ? static_cast<unsigned>(value)
                                                          : CHChordChoice::kNotFound;
}

} // namespace

CHChordChoice::CHChordChoice(UserDefaults& defaults) : defaults_(defaults) {
    load();
}

void CHChordChoice::load() {
    const unsigned root = asIndex(defaults_.integerForKey(CHSettings::kRootKey));
    const unsigned variant = asIndex(defaults_.integerForKey(CHSettings::kVariantKey));
    root_ = indexOfIndex(roots(), root) != kNotFound ? root : kDefaultRoot;
    const CHVariantFamily* family = CHVariantFamily::familyOfVariant(variant);
    variant_ = family != nullptr ? variant : kDefaultVariant;
    family = CHVariantFamily::familyOfVariant(variant_);
    family_ = static_cast<unsigned>(family - CHVariantFamily::all().data());
}

const std::vector<unsigned>& CHChordChoice::roots() {
    static const std::vector<unsigned> offered = [] {
        std::vector<unsigned> notes;
        for (unsigned note = 0; note < CHNoteTables::kNoteCount; ++note) {
            // The sharps and flats of B, E and the flat of F and sharp of G are left out.
            if (note != 2 && note != 5 && note != 11 && note != 14 && note != 15 && note != 20) {
                notes.push_back(note);
            }
        }
        return notes;
    }();
    return offered;
}

unsigned CHChordChoice::indexOfIndex(const std::vector<unsigned>& members, unsigned value) {
    const auto found = std::lower_bound(members.begin(), members.end(), value);
    return found != members.end() && *found == value
               ? static_cast<unsigned>(found - members.begin())
               : kNotFound;
}

unsigned CHChordChoice::indexAtIndex(const std::vector<unsigned>& members, unsigned position) {
    return position < members.size() ? members[position] : kNotFound;
}

const std::vector<unsigned>& CHChordChoice::familyVariants() const {
    return CHVariantFamily::all()[family_].variants;
}

std::string CHChordChoice::chordName() const {
    return CHNoteTables::noteNames()[root_] + " " + CHVariantFamily::all()[family_].shortName +
           " " + CHNoteTables::variantNames()[variant_].value_or("");
}

int CHChordChoice::numberOfRows(int column) const {
    switch (column) {
    case kRootColumn:
        return static_cast<int>(roots().size());
    case kFamilyColumn:
        return static_cast<int>(CHVariantFamily::all().size());
    case kVariantColumn:
        return static_cast<int>(familyVariants().size());
    default:
        return 0;
    }
}

std::string CHChordChoice::titleForRow(int row, int column) const {
    if (row < 0 || row >= numberOfRows(column)) {
        return {};
    }
    const auto at = static_cast<unsigned>(row);
    switch (column) {
    case kRootColumn:
        return CHNoteTables::noteNames()[roots()[at]];
    case kFamilyColumn:
        return CHVariantFamily::all()[at].fullName;
    default:
        return CHNoteTables::variantNames()[familyVariants()[at]].value_or("");
    }
}

int CHChordChoice::selectedRow(int column) const {
    switch (column) {
    case kRootColumn:
        return static_cast<int>(indexOfIndex(roots(), root_));
    case kFamilyColumn:
        return static_cast<int>(family_);
    case kVariantColumn:
        return static_cast<int>(indexOfIndex(familyVariants(), variant_));
    default:
        return -1;
    }
}

bool CHChordChoice::selectRow(int row, int column) {
    if (row < 0 || row >= numberOfRows(column)) {
        return false;
    }
    const auto at = static_cast<unsigned>(row);
    switch (column) {
    case kRootColumn:
        root_ = roots()[at];
        defaults_.setInteger(root_, CHSettings::kRootKey);
        return true;
    case kFamilyColumn:
        if (at == family_) {
            return false;
        }
        family_ = at;
        variant_ = familyVariants().front();
        break;
    default:
        variant_ = familyVariants()[at];
        break;
    }
    defaults_.setInteger(variant_, CHSettings::kVariantKey);
    return true;
}

} // namespace fretkit
