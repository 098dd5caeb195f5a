#include "PlistValue.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>

namespace fretkit {
namespace {

const PlistValue& nullValue() {
    static const PlistValue value;
    return value;
}

std::string_view skipSpace(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    return text;
}

// The leading decimal integer of a text, like a settings string read as a number: leading
// spaces and a sign are taken, reading stops at the first other character, and an overflow
// saturates. No digits read as 0.
std::int64_t leadingInteger(std::string_view text) {
    text = skipSpace(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::uint64_t magnitude = 0;
    const std::uint64_t limit =
        negative ? std::uint64_t{1} << 63 : std::uint64_t{std::numeric_limits<std::int64_t>::max()};
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        const auto digit = static_cast<std::uint64_t>(c - '0');
        magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
    }
    if (negative) {
        return magnitude == limit ? std::numeric_limits<std::int64_t>::min()
                                  : -static_cast<std::int64_t>(magnitude);
    }
    return static_cast<std::int64_t>(magnitude);
}

// The leading decimal number of a text, independent of the C locale.
double leadingReal(std::string_view text) {
    text = skipSpace(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() ? value : 0.0;
}

// True for texts that start (after spaces, a sign and zeros) with Y, y, T, t or a digit 1-9:
// "YES", "true", "1", "007" are true; "NO", "false", "0", "" are false.
bool leadingBool(std::string_view text) {
    text = skipSpace(text);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.front() == '0') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return false;
    }
    const char c = text.front();
    return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

std::string realText(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

template <class Entries>
auto entryFor(Entries& entries, std::string_view key) {
    return std::find_if(entries.begin(), entries.end(),
                        [key](const PlistValue::Entry& entry) { return entry.first == key; });
}

template <class T>
const T& emptyOf() {
    static const T value{};
    return value;
}

} // namespace

PlistValue PlistValue::dictionary(std::initializer_list<Entry> entries) {
    PlistValue value;
    value.storage_ = Dictionary{};
    for (const Entry& entry : entries) {
        value.set(entry.first, entry.second);
    }
    return value;
}

PlistValue PlistValue::array(std::initializer_list<PlistValue> items) {
    PlistValue value;
    value.storage_ = Array(items);
    return value;
}

PlistValue::Type PlistValue::type() const {
    return static_cast<Type>(storage_.index());
}

bool PlistValue::isNumber() const {
    const Type t = type();
    return t == Type::Integer || t == Type::Real || t == Type::Boolean;
}

std::int64_t PlistValue::integerValue() const {
    switch (type()) {
    case Type::Integer:
        return std::get<std::int64_t>(storage_);
    case Type::Real: {
        const double real = std::get<double>(storage_);
        if (std::isnan(real)) {
            return 0;
        }
        constexpr double limit = 9223372036854775807.0;
        if (real >= limit) {
            return std::numeric_limits<std::int64_t>::max();
        }
        if (real <= -limit) {
            return std::numeric_limits<std::int64_t>::min();
        }
        return static_cast<std::int64_t>(real);
    }
    case Type::Boolean:
        return std::get<bool>(storage_) ? 1 : 0;
    case Type::String:
        return leadingInteger(std::get<std::string>(storage_));
    default:
        return 0;
    }
}

int PlistValue::intValue() const {
    return static_cast<int>(std::clamp<std::int64_t>(integerValue(), INT_MIN, INT_MAX));
}

double PlistValue::doubleValue() const {
    switch (type()) {
    case Type::Integer:
        return static_cast<double>(std::get<std::int64_t>(storage_));
    case Type::Real:
        return std::get<double>(storage_);
    case Type::Boolean:
        return std::get<bool>(storage_) ? 1.0 : 0.0;
    case Type::String:
        return leadingReal(std::get<std::string>(storage_));
    default:
        return 0.0;
    }
}

bool PlistValue::boolValue() const {
    switch (type()) {
    case Type::Integer:
        return std::get<std::int64_t>(storage_) != 0;
    case Type::Real:
        return std::get<double>(storage_) != 0.0;
    case Type::Boolean:
        return std::get<bool>(storage_);
    case Type::String:
        return leadingBool(std::get<std::string>(storage_));
    default:
        return false;
    }
}

std::string PlistValue::stringValue() const {
    switch (type()) {
    case Type::String:
        return std::get<std::string>(storage_);
    case Type::Integer:
        return std::to_string(std::get<std::int64_t>(storage_));
    case Type::Real:
        return realText(std::get<double>(storage_));
    case Type::Boolean:
        return std::get<bool>(storage_) ? "1" : "0";
    default:
        return {};
    }
}

const PlistValue::Array& PlistValue::arrayItems() const {
    const auto* items = std::get_if<Array>(&storage_);
    return items ? *items : emptyOf<Array>();
}

const PlistValue::Dictionary& PlistValue::dictionaryEntries() const {
    const auto* entries = std::get_if<Dictionary>(&storage_);
    return entries ? *entries : emptyOf<Dictionary>();
}

const PlistValue::Data& PlistValue::dataBytes() const {
    const auto* bytes = std::get_if<Data>(&storage_);
    return bytes ? *bytes : emptyOf<Data>();
}

PlistDate PlistValue::dateValue() const {
    const auto* date = std::get_if<PlistDate>(&storage_);
    return date ? *date : PlistDate{};
}

std::size_t PlistValue::count() const {
    if (const auto* items = std::get_if<Array>(&storage_)) {
        return items->size();
    }
    if (const auto* entries = std::get_if<Dictionary>(&storage_)) {
        return entries->size();
    }
    return 0;
}

const PlistValue& PlistValue::operator[](std::size_t index) const {
    const Array& items = arrayItems();
    return index < items.size() ? items[index] : nullValue();
}

void PlistValue::append(PlistValue item) {
    if (isNull()) {
        storage_ = Array{};
    }
    if (auto* items = std::get_if<Array>(&storage_)) {
        items->push_back(std::move(item));
    }
}

const PlistValue* PlistValue::find(std::string_view key) const {
    const Dictionary& entries = dictionaryEntries();
    const auto it = entryFor(entries, key);
    return it == entries.end() ? nullptr : &it->second;
}

const PlistValue& PlistValue::operator[](std::string_view key) const {
    const PlistValue* value = find(key);
    return value ? *value : nullValue();
}

void PlistValue::set(std::string_view key, PlistValue value) {
    if (isNull()) {
        storage_ = Dictionary{};
    }
    auto* entries = std::get_if<Dictionary>(&storage_);
    if (!entries) {
        return;
    }
    const auto it = entryFor(*entries, key);
    if (it != entries->end()) {
        it->second = std::move(value);
    } else {
        entries->emplace_back(std::string(key), std::move(value));
    }
}

bool PlistValue::remove(std::string_view key) {
    auto* entries = std::get_if<Dictionary>(&storage_);
    if (!entries) {
        return false;
    }
    const auto it = entryFor(*entries, key);
    if (it == entries->end()) {
        return false;
    }
    entries->erase(it);
    return true;
}

std::vector<std::string> PlistValue::keys() const {
    std::vector<std::string> result;
    for (const Entry& entry : dictionaryEntries()) {
        result.push_back(entry.first);
    }
    return result;
}

bool operator==(const PlistValue& a, const PlistValue& b) {
    return a.storage_ == b.storage_;
}

} // namespace fretkit
