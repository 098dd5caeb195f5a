#pragma once

#include "PlistValue.h"
#include "StringTable.h"

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace fretkit {

// The application's resources: one directory of property lists, images, sounds, hint pages,
// string tables and the chord database, looked up by name and type.
class Bundle {
public:
    static constexpr const char* kEnvironmentVariable = "FRETKIT_BUNDLE";

    explicit Bundle(std::string resourcePath);

    // The process's bundle: the directory named by FRETKIT_BUNDLE, else "bundle" beside the
    // executable's folder (the build tree), else "share/fretkit/bundle" (an installation).
    static Bundle& main();
    static std::string defaultResourcePath();

    const std::string& resourcePath() const { return resourcePath_; }

    // The path of resource `name` of type `type` ("png", "plist"; empty when `name` carries its
    // extension already), or nullopt when the bundle has no such file. At scale 2 the "@2x"
    // variant ("name@2x.png") is preferred where it exists. Names that would leave the bundle
    // directory are refused.
    std::optional<std::string> pathForResource(std::string_view name, std::string_view type,
                                               int scale = 1) const;

    // A property list resource ("name.plist"); nullopt, with a log line, when it is missing or
    // unreadable.
    std::optional<PlistValue> propertyList(std::string_view name) const;

    // The application information list ("Info.plist"); empty when the bundle has none.
    const PlistValue& infoDictionary() const;

    // The text for `key` from the string table `table` ("Localizable" when empty), following the
    // table's rules for missing keys. A missing table is logged once and leaves every key as is.
    std::string localizedString(std::string_view key, std::string_view value = {},
                                std::string_view table = {}) const;

private:
    const StringTable& stringTable(const std::string& table) const;

    std::string resourcePath_;
    mutable std::once_flag infoOnce_;
    mutable PlistValue info_;
    mutable std::mutex tablesMutex_;
    mutable std::map<std::string, std::unique_ptr<StringTable>, std::less<>> tables_;
};

} // namespace fretkit
