#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

// The arguments of one subcommand, split into positionals, flags ("--json") and options that take
// a value ("--tuning 3" or "--tuning=3"). Anything else that starts with "--" is an error.
class CliOptions {
public:
    CliOptions(const std::vector<std::string>& args, const std::set<std::string>& flags,
               const std::set<std::string>& valued);

    // Empty when the arguments parsed; otherwise what is wrong with them.
    const std::string& error() const { return error_; }

    const std::vector<std::string>& positionals() const { return positionals_; }
    bool flag(const std::string& name) const { return flags_.count(name) > 0; }
    std::optional<std::string> value(const std::string& name) const;

    // The integer value of an option, `fallback` when absent, nullopt (with `error`) when the
    // value is not a whole number within [low, high].
    std::optional<int> integer(const std::string& name, int fallback, int low, int high,
                               std::string& error) const;

    // The positionals from `first` on, joined by single spaces ("7", "#9" -> "7 #9").
    std::string joinedPositionals(std::size_t first) const;

    // Whole-number text, or nullopt.
    static std::optional<long long> parseInteger(const std::string& text);
    static std::string lowercase(std::string text);

private:
    std::vector<std::string> positionals_;
    std::set<std::string> flags_;
    std::map<std::string, std::string> values_;
    std::string error_;
};
