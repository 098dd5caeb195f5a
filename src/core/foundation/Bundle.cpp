#include "Bundle.h"

#include "Log.h"
#include "PlistFile.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace fretkit {
namespace {

bool isFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool isDirectory(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

// Resource names come from property lists and settings; none may reach outside the bundle.
bool isSafeName(std::string_view name) {
    if (name.empty() || name.front() == '/') {
        return false;
    }
    for (const fs::path& part : fs::path(name)) {
        if (part == "..") {
            return false;
        }
    }
    return true;
}

std::string executableDirectory() {
    std::error_code ec;
    const fs::path executable = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : executable.parent_path().string();
}

} // namespace

Bundle::Bundle(std::string resourcePath) : resourcePath_(std::move(resourcePath)) {}

Bundle& Bundle::main() {
    static Bundle bundle(defaultResourcePath());
    return bundle;
}

std::string Bundle::defaultResourcePath() {
    if (const char* configured = std::getenv(kEnvironmentVariable); configured && *configured) {
        return configured;
    }
    const fs::path prefix = fs::path(executableDirectory()).parent_path();
    for (const fs::path& candidate : {prefix / "bundle", prefix / "share/fretkit/bundle"}) {
        if (isDirectory(candidate)) {
            return candidate.lexically_normal().string();
        }
    }
    return (prefix / "bundle").lexically_normal().string();
}

std::optional<std::string> Bundle::pathForResource(std::string_view name, std::string_view type,
                                                   int scale) const {
    std::string base(name);
    std::string extension(type);
    if (extension.empty()) {
        const fs::path named(base);
        if (named.has_extension()) {
            extension = named.extension().string().substr(1);
            base.resize(base.size() - extension.size() - 1);
        }
    }
    if (!isSafeName(base)) {
        return std::nullopt;
    }
    const std::string suffix = extension.empty() ? std::string() : "." + extension;
    const fs::path directory(resourcePath_);
    if (scale >= 2 && !base.ends_with("@2x")) {
        const fs::path doubled = directory / (base + "@2x" + suffix);
        if (isFile(doubled)) {
            return doubled.string();
        }
    }
    const fs::path plain = directory / (base + suffix);
    if (isFile(plain)) {
        return plain.string();
    }
    return std::nullopt;
}

std::optional<PlistValue> Bundle::propertyList(std::string_view name) const {
    const std::optional<std::string> path = pathForResource(name, "plist");
    if (!path) {
        Log::format("The bundle %s has no property list named %.*s", resourcePath_.c_str(),
                    static_cast<int>(name.size()), name.data());
        return std::nullopt;
    }
    std::string error;
    std::optional<PlistValue> value = PlistFile::read(*path, &error);
    if (!value) {
        Log::format("Cannot read the property list %s", error.c_str());
    }
    return value;
}

const PlistValue& Bundle::infoDictionary() const {
    std::call_once(infoOnce_, [this] {
        if (pathForResource("Info", "plist")) {
            info_ = propertyList("Info").value_or(PlistValue::dictionary());
        }
        if (!info_.isDictionary()) {
            info_ = PlistValue::dictionary();
        }
    });
    return info_;
}

std::string Bundle::localizedString(std::string_view key, std::string_view value,
                                    std::string_view table) const {
    return stringTable(table.empty() ? "Localizable" : std::string(table))
        .localizedString(key, value);
}

const StringTable& Bundle::stringTable(const std::string& table) const {
    std::lock_guard lock(tablesMutex_);
    auto it = tables_.find(table);
    if (it != tables_.end()) {
        return *it->second;
    }
    auto loaded = std::make_unique<StringTable>();
    if (const std::optional<std::string> path = pathForResource(table, "strings")) {
        std::string error;
        if (std::optional<StringTable> read = StringTable::load(*path, &error)) {
            *loaded = std::move(*read);
        } else {
            Log::format("Cannot read the string table %s", error.c_str());
        }
    } else {
        Log::format("The bundle %s has no string table named %s", resourcePath_.c_str(),
                    table.c_str());
    }
    return *tables_.emplace(table, std::move(loaded)).first->second;
}

} // namespace fretkit
