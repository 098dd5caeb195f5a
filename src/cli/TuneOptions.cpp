#include "TuneOptions.h"

#include "foundation/UserDefaults.h"
#include "tuner/TNTunerEngine.h"

#include <charconv>
#include <cmath>

namespace {

template <class Number>
std::optional<Number> parseNumber(const std::string& text) {
    Number number{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

// Splits "--name=value" or takes the value from the next argument.
bool takeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
               std::string& value, std::string& error) {
    const std::string& arg = args[i];
    if (arg.size() > name.size() && arg[name.size()] == '=') {
        value = arg.substr(name.size() + 1);
        return true;
    }
    if (i + 1 >= args.size()) {
        error = name + " needs a value";
        return false;
    }
    value = args[++i];
    return true;
}

bool isOption(const std::string& arg, const std::string& name) {
    return arg == name || arg.rfind(name + "=", 0) == 0;
}

bool parseOption(const std::vector<std::string>& args, std::size_t& i, TuneOptions& options,
                 std::string& error) {
    const std::string& arg = args[i];
    std::string value;
    if (isOption(arg, "--reference")) {
        if (!takeValue(args, i, "--reference", value, error)) {
            return false;
        }
        const auto hertz = parseNumber<double>(value);
        if (!hertz || !(*hertz >= 1.0 && *hertz <= 20000.0)) {
            error = "--reference needs a frequency in Hz between 1 and 20000, not '" + value + "'";
            return false;
        }
        options.reference = hertz;
    } else if (isOption(arg, "--tuning")) {
        if (!takeValue(args, i, "--tuning", value, error)) {
            return false;
        }
        options.tuning = value;
    } else if (isOption(arg, "--detune")) {
        if (!takeValue(args, i, "--detune", value, error)) {
            return false;
        }
        const auto semitones = parseNumber<int>(value);
        if (!semitones || std::abs(*semitones) > 24) {
            error = "--detune needs whole semitones between -24 and 24, not '" + value + "'";
            return false;
        }
        options.detune = semitones;
    } else if (arg == "--mic") {
        options.mic = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
        error = "unknown option '" + arg + "'";
        return false;
    } else if (!options.file.empty()) {
        error = "only one file at a time: '" + options.file + "' and '" + arg + "'";
        return false;
    } else {
        options.file = arg;
    }
    return true;
}

} // namespace

std::optional<TuneOptions> TuneOptions::parse(const std::vector<std::string>& args,
                                              std::string& error) {
    TuneOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!parseOption(args, i, options, error)) {
            return std::nullopt;
        }
    }
    if (options.mic == !options.file.empty()) {
        error = options.mic ? "give either a file or --mic, not both" : "give a file or --mic";
        return std::nullopt;
    }
    return options;
}

bool TuneOptions::apply(TNTunerEngine& engine, const fretkit::UserDefaults& defaults,
                        std::string& error) const {
    engine.reloadSettings(defaults);
    if (tuning) {
        const TNTunings& tunings = engine.tunings();
        std::optional<std::size_t> index = tunings.indexOfName(*tuning);
        if (!index) {
            const auto number = parseNumber<std::size_t>(*tuning);
            if (number && *number < tunings.count()) {
                index = number;
            }
        }
        if (!index) {
            error = "unknown tuning '" + *tuning + "'; the tunings are:";
            for (std::size_t i = 0; i < tunings.count(); ++i) {
                error += "\n  " + std::to_string(i) + "  " + tunings.nameAt(i);
            }
            return false;
        }
        engine.setTuningIndex(*index);
    }
    if (detune) {
        engine.setDetune(*detune);
    }
    if (reference) {
        engine.setReference(*reference);
    }
    return true;
}
