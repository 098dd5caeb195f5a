#pragma once

#include "PlistValue.h"

#include <optional>
#include <string>
#include <string_view>

namespace fretkit {

// Reading and writing property lists in the XML and the binary format. Reading recognises the
// format by itself. Failures answer nullopt or false and, when asked, say why in `error`.
class PlistFile {
public:
    enum class Format { Xml, Binary };

    static std::optional<PlistValue> read(const std::string& path, std::string* error = nullptr);
    static std::optional<PlistValue> parse(std::string_view bytes, std::string* error = nullptr);

    static std::optional<std::string> serialize(const PlistValue& value, Format format,
                                                std::string* error = nullptr);
    // Writes atomically: the file either keeps its old content or has the new one.
    static bool write(const PlistValue& value, const std::string& path, Format format,
                      std::string* error = nullptr);
};

} // namespace fretkit
