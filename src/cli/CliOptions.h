#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

// The "--name value" and "--flag" options of one subcommand. Parsing fails, with the reason, on
// an unknown option, a missing value or an option given twice.
class CliOptions {
public:
    bool parse(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
               const std::set<std::string>& flagOptions, std::string* error);

    bool has(const std::string& name) const { return values_.count(name) != 0; }
    std::string value(const std::string& name) const;

private:
    std::map<std::string, std::string> values_;
};
