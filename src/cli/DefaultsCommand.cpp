#include "DefaultsCommand.h"

#include "foundation/PlistFile.h"
#include "foundation/PlistValue.h"
#include "foundation/UserDefaults.h"

#include <charconv>
#include <optional>
#include <ostream>

using fretkit::PlistFile;
using fretkit::PlistValue;
using fretkit::UserDefaults;

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

void printValue(const PlistValue& value, std::ostream& out) {
    if (value.isDictionary() || value.isArray()) {
        out << PlistFile::serialize(value, PlistFile::Format::Xml).value_or("");
    } else {
        out << value.stringValue() << '\n';
    }
}

template <class Number>
std::optional<Number> parseNumber(const std::string& text) {
    Number number{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

// The value of `write`: a text, or with -int, -float or -bool a number or a flag.
std::optional<PlistValue> parseValue(const std::string& type, const std::string& text) {
    if (type == "-string") {
        return PlistValue(text);
    }
    if (type == "-int") {
        const auto number = parseNumber<long long>(text);
        return number ? std::optional<PlistValue>(PlistValue(*number)) : std::nullopt;
    }
    if (type == "-float") {
        const auto number = parseNumber<double>(text);
        return number ? std::optional<PlistValue>(PlistValue(*number)) : std::nullopt;
    }
    if (type == "-bool") {
        if (text == "true" || text == "YES" || text == "yes" || text == "1") {
            return PlistValue(true);
        }
        if (text == "false" || text == "NO" || text == "no" || text == "0") {
            return PlistValue(false);
        }
    }
    return std::nullopt;
}

int read(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    UserDefaults& defaults = UserDefaults::standard();
    if (args.size() == 1) {
        const std::optional<PlistValue> stored = PlistFile::read(defaults.path());
        printValue(stored.value_or(PlistValue::dictionary()), out);
        return kSuccess;
    }
    const PlistValue value = defaults.objectForKey(args[1]);
    if (value.isNull()) {
        err << "fretkit defaults: no setting named " << args[1] << '\n';
        return kFailure;
    }
    printValue(value, out);
    return kSuccess;
}

int write(const std::vector<std::string>& args, std::ostream& err) {
    const bool typed = args.size() == 4;
    const std::string type = typed ? args[2] : "-string";
    const std::optional<PlistValue> value = parseValue(type, args.back());
    if (!value) {
        err << "fretkit defaults: '" << args.back() << "' is not a valid " << type.substr(1)
            << " value\n";
        return kUsage;
    }
    UserDefaults& defaults = UserDefaults::standard();
    defaults.setObject(*value, args[1]);
    std::string error;
    if (!defaults.synchronize(&error)) {
        err << "fretkit defaults: the setting was not saved: " << error << '\n';
        return kFailure;
    }
    return kSuccess;
}

int remove(const std::vector<std::string>& args, std::ostream& err) {
    UserDefaults& defaults = UserDefaults::standard();
    defaults.removeObjectForKey(args[1]);
    std::string error;
    if (!defaults.synchronize(&error)) {
        err << "fretkit defaults: the setting was not removed: " << error << '\n';
        return kFailure;
    }
    return kSuccess;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::string verb = args.empty() ? "" : args.front();
    if (verb == "read" && args.size() <= 2) {
        return read(args, out, err);
    }
    if (verb == "write" && (args.size() == 3 || args.size() == 4)) {
        return write(args, err);
    }
    if (verb == "delete" && args.size() == 2) {
        return remove(args, err);
    }
    err << "Usage: fretkit defaults " << DefaultsCommand::command().synopsis << '\n';
    return kUsage;
}

} // namespace

CliCommand DefaultsCommand::command() {
    return {"defaults", "read [KEY] | write KEY [-string|-int|-float|-bool] VALUE | delete KEY",
            "Reads and changes the stored settings (the file named by FRETKIT_DEFAULTS, or "
            "fretkit/defaults.plist in the XDG config folder).",
            run};
}
