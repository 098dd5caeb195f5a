#pragma once

#include "PlistValue.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace fretkit {

// Localised display texts by key. A table file is a property-list dictionary from key to text
// (files named "<table>.strings" in the bundle); entries that are not texts are ignored.
class StringTable {
public:
    StringTable() = default;
    explicit StringTable(const PlistValue& entries);

    static std::optional<StringTable> load(const std::string& path, std::string* error = nullptr);

    const std::string* find(std::string_view key) const;
    std::size_t size() const { return texts_.size(); }

    // The text for `key`; for a key the table lacks, `value` when it is not empty, else the key.
    std::string localizedString(std::string_view key, std::string_view value = {}) const;

private:
    std::map<std::string, std::string, std::less<>> texts_;
};

} // namespace fretkit
