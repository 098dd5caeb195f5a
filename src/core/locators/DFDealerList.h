#pragma once

#include "foundation/PlistValue.h"

#include <vector>

namespace fretkit {

// The merged dealers of one retrieval: each brand's records are added as their answer arrives;
// a record equal to one already listed (the same keys with the same values) is left out, and the
// list stays sorted by "distanceValue", dealers of equal distance in arrival order.
class DFDealerList {
public:
    void merge(const std::vector<PlistValue>& records);
    const std::vector<PlistValue>& dealers() const { return dealers_; }
    bool empty() const { return dealers_.empty(); }

    // Same keys and values, whatever their order.
    static bool sameRecord(const PlistValue& a, const PlistValue& b);

private:
    std::vector<PlistValue> dealers_;
};

} // namespace fretkit
