#include "CliOptions.h"

#include <algorithm>
#include <cctype>
#include <charconv>

CliOptions::CliOptions(const std::vector<std::string>& args, const std::set<std::string>& flags,
                       const std::set<std::string>& valued) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // A lone "-" or a negative number is a positional, not an option.
        if (arg.rfind("--", 0) != 0) {
            positionals_.push_back(arg);
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (flags.count(name) > 0 && equals == std::string::npos) {
            flags_.insert(name);
        } else if (valued.count(name) > 0 && equals != std::string::npos) {
            values_[name] = arg.substr(equals + 1);
        } else if (valued.count(name) > 0 && i + 1 < args.size()) {
            values_[name] = args[++i];
        } else if (valued.count(name) > 0) {
            error_ = "option " + name + " needs a value";
            return;
        } else {
            error_ = "unknown option '" + arg + "'";
            return;
        }
    }
}

std::optional<std::string> CliOptions::value(const std::string& name) const {
    const auto found = values_.find(name);
    return found == values_.end() ? std::nullopt : std::optional<std::string>(found->second);
}

std::string CliOptions::joinedPositionals(std::size_t first) const {
    std::string text;
    for (std::size_t i = first; i < positionals_.size(); ++i) {
        text += (i > first ? " " : "") + positionals_[i];
    }
    return text;
}

std::string CliOptions::lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::optional<long long> CliOptions::parseInteger(const std::string& text) {
    long long number = 0;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (begin != end && *begin == '+') {
        ++begin;
    }
    const auto [stop, ec] = std::from_chars(begin, end, number);
    if (begin == end || ec != std::errc() || stop != end) {
        return std::nullopt;
    }
    return number;
}

std::optional<int> CliOptions::integer(const std::string& name, int fallback, int low, int high,
                                       std::string& error) const {
    const std::optional<std::string> text = value(name);
    if (!text) {
        return fallback;
    }
    const std::optional<long long> number = parseInteger(*text);
    if (!number || *number < low || *number > high) {
        error = name + " takes a whole number from " + std::to_string(low) + " to " +
                std::to_string(high) + ", not '" + *text + "'";
        return std::nullopt;
    }
    return static_cast<int>(*number);
}
