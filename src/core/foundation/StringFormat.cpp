#include "StringFormat.h"

#include <cstdio>

namespace fretkit {

std::string stringWithFormatV(const char* format, std::va_list args) {
    std::va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, args);
    return text;
}

std::string stringWithFormat(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::string text = stringWithFormatV(format, args);
    va_end(args);
    return text;
}

} // namespace fretkit
