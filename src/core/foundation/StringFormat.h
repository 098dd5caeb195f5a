#pragma once

#include <cstdarg>
#include <string>

namespace fretkit {

// printf-style formatting into a std::string; the design's "%@" placeholders become "%s".
std::string stringWithFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string stringWithFormatV(const char* format, std::va_list args)
    __attribute__((format(printf, 1, 0)));

} // namespace fretkit
