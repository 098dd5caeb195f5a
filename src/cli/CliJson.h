#pragma once

#include <string>
#include <string_view>

// JSON text for the commands' --json output.
class CliJson {
public:
    // `text` as a JSON string literal, quotes included.
    static std::string quote(std::string_view text);
};
