#include "DFDealerList.h"

#include <algorithm>

namespace fretkit {

bool DFDealerList::sameRecord(const PlistValue& a, const PlistValue& b) {
    if (a.count() != b.count()) {
        return false;
    }
    for (const auto& [key, value] : a.dictionaryEntries()) {
        const PlistValue* other = b.find(key);
        if (!other || !(*other == value)) {
            return false;
        }
    }
    return true;
}

void DFDealerList::merge(const std::vector<PlistValue>& records) {
    for (const PlistValue& record : records) {
        const bool listed = std::any_of(dealers_.begin(), dealers_.end(),
                                        [&](const PlistValue& d) { return sameRecord(d, record); });
        if (!listed) {
            dealers_.push_back(record);
        }
    }
    std::stable_sort(dealers_.begin(), dealers_.end(),
                     [](const PlistValue& a, const PlistValue& b) {
                         return a["distanceValue"].doubleValue() < b["distanceValue"].doubleValue();
                     });
}

} // namespace fretkit
