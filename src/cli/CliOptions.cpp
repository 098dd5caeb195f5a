#include "CliOptions.h"

bool CliOptions::parse(const std::vector<std::string>& args,
                       const std::set<std::string>& valueOptions,
                       const std::set<std::string>& flagOptions, std::string* error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        const bool takesValue = valueOptions.count(name) != 0;
        if (!takesValue && flagOptions.count(name) == 0) {
            *error = "unknown option '" + name + "'";
            return false;
        }
        if (has(name)) {
            *error = "option " + name + " given twice";
            return false;
        }
        if (takesValue && i + 1 >= args.size()) {
            *error = "option " + name + " needs a value";
            return false;
        }
        values_[name] = takesValue ? args[++i] : std::string();
    }
    return true;
}

std::string CliOptions::value(const std::string& name) const {
    const auto found = values_.find(name);
    return found == values_.end() ? std::string() : found->second;
}
