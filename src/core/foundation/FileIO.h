#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fretkit {

// Whole-file reading and atomic writing. Failures answer nullopt or false with the reason,
// including the system's error text, in `error` when given.
class FileIO {
public:
    static std::optional<std::string> readAll(const std::string& path,
                                              std::string* error = nullptr);

    // Writes to a temporary file beside `path`, flushes it to the disk and renames it over
    // `path`, so a crash or a full disk never leaves a half-written file behind. Missing parent
    // directories are created (private to the user).
    static bool writeAtomically(const std::string& path, std::string_view bytes,
                                std::string* error = nullptr);
};

} // namespace fretkit
