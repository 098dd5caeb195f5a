#include "TNTunings.h"

#include "foundation/Bundle.h"
#include "foundation/Log.h"

#include <algorithm>
#include <cctype>

using fretkit::PlistValue;

namespace {

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

TNTunings::TNTunings(const PlistValue& tunings)
    : list_(PlistValue::array({PlistValue::dictionary({{"name", kChromatic}})})) {
    for (const PlistValue& tuning : tunings.arrayItems()) {
        if (tuning.isDictionary()) {
            list_.append(tuning);
        } else {
            fretkit::Log::format("%s: skipping an entry that is not a dictionary", kListName);
        }
    }
}

TNTunings TNTunings::fromBundle(const fretkit::Bundle& bundle) {
    const std::optional<PlistValue> tunings = bundle.propertyList(kListName);
    if (tunings && !tunings->isArray()) {
        fretkit::Log::format("%s: not an array of tunings", kListName);
    }
    return TNTunings(tunings.value_or(PlistValue()));
}

const PlistValue& TNTunings::at(std::size_t index) const {
    return index < list_.count() ? list_[index] : list_[0];
}

std::optional<std::size_t> TNTunings::indexOfName(std::string_view name) const {
    for (std::size_t i = 0; i < list_.count(); ++i) {
        if (equalIgnoringCase(list_[i]["name"].stringValue(), name)) {
            return i;
        }
    }
    return std::nullopt;
}
