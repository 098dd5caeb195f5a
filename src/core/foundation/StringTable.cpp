#include "StringTable.h"

#include "PlistFile.h"

namespace fretkit {

StringTable::StringTable(const PlistValue& entries) {
    for (const auto& [key, text] : entries.dictionaryEntries()) {
        if (text.isString()) {
            texts_.emplace(key, text.stringValue());
        }
    }
}

std::optional<StringTable> StringTable::load(const std::string& path, std::string* error) {
    std::optional<PlistValue> entries = PlistFile::read(path, error);
    if (!entries) {
        return std::nullopt;
    }
    if (!entries->isDictionary()) {
        if (error) {
            *error = path + ": a string table must be a dictionary of texts";
        }
        return std::nullopt;
    }
    return StringTable(*entries);
}

const std::string* StringTable::find(std::string_view key) const {
    const auto it = texts_.find(key);
    return it == texts_.end() ? nullptr : &it->second;
}

std::string StringTable::localizedString(std::string_view key, std::string_view value) const {
    if (const std::string* text = find(key)) {
        return *text;
    }
    return std::string(value.empty() ? key : value);
}

} // namespace fretkit
