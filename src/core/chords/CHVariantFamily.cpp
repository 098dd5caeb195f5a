#include "CHVariantFamily.h"

#include <algorithm>

namespace fretkit {
namespace {

std::vector<unsigned> range(unsigned first, unsigned last, std::vector<unsigned> without = {}) {
    std::vector<unsigned> variants;
    for (unsigned v = first; v <= last; ++v) {
        if (std::find(without.begin(), without.end(), v) == without.end()) {
            variants.push_back(v);
        }
    }
    return variants;
}

} // namespace

const std::vector<CHVariantFamily>& CHVariantFamily::all() {
    static const std::vector<CHVariantFamily> families = {
        {"Maj", "Major", range(0, 18, {8, 10, 13})},
        {"Min", "Minor", range(20, 35)},
        {"Dom", "Dom", range(36, 63, {62})},
        {"Dim", "Dim", range(64, 68)},
    };
    return families;
}

const CHVariantFamily* CHVariantFamily::familyOfVariant(unsigned variant) {
    const CHVariantFamily* found = nullptr;
    for (const CHVariantFamily& family : all()) {
        if (std::find(family.variants.begin(), family.variants.end(), variant) !=
            family.variants.end()) {
            found = &family;
        }
    }
    return found;
}

} // namespace fretkit
