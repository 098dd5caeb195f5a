#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace fretkit {

// A moment as property lists store it: seconds since 2001-01-01 00:00:00 UTC.
struct PlistDate {
    double secondsSinceReferenceDate = 0.0;
    friend bool operator==(const PlistDate&, const PlistDate&) = default;
};

// One property-list value: a dictionary with ordered keys, an array, a string, an integer, a
// real, a boolean, data or a date, or null for "no value". Resource lists, the parsed web
// service answers and the user defaults are all made of these.
//
// The typed accessors answer the way the tools read their settings and resources: a string
// "12" has the integer value 12, "YES" and "true" have the boolean value true, a missing value
// reads as 0, false or the empty string.
class PlistValue {
public:
    enum class Type { Null, Dictionary, Array, String, Integer, Real, Boolean, Data, Date };

    using Array = std::vector<PlistValue>;
    using Entry = std::pair<std::string, PlistValue>;
    using Dictionary = std::vector<Entry>; // keys unique, in insertion order
    using Data = std::vector<std::uint8_t>;

    PlistValue() = default;
    PlistValue(const char* text) : storage_(std::string(text)) {}
    PlistValue(std::string text) : storage_(std::move(text)) {}
    PlistValue(std::string_view text) : storage_(std::string(text)) {}
    PlistValue(int number) : storage_(std::int64_t{number}) {}
    PlistValue(unsigned number) : storage_(std::int64_t{number}) {}
    PlistValue(long number) : storage_(std::int64_t{number}) {}
    PlistValue(long long number) : storage_(std::int64_t{number}) {}
    PlistValue(double number) : storage_(number) {}
    PlistValue(float number) : storage_(double{number}) {}
    PlistValue(bool flag) : storage_(flag) {}
    PlistValue(Array items) : storage_(std::move(items)) {}
    PlistValue(Data bytes) : storage_(std::move(bytes)) {}
    PlistValue(PlistDate date) : storage_(date) {}

    static PlistValue dictionary(std::initializer_list<Entry> entries = {});
    static PlistValue array(std::initializer_list<PlistValue> items = {});

    Type type() const;
    bool isNull() const { return type() == Type::Null; }
    bool isDictionary() const { return type() == Type::Dictionary; }
    bool isArray() const { return type() == Type::Array; }
    bool isString() const { return type() == Type::String; }
    bool isNumber() const;

    // Scalars, converted as described above.
    std::int64_t integerValue() const;
    int intValue() const; // clamped to the int range
    double doubleValue() const;
    float floatValue() const { return static_cast<float>(doubleValue()); }
    bool boolValue() const;
    std::string stringValue() const;

    // Structured values; empty for values of another type.
    const Array& arrayItems() const;
    const Dictionary& dictionaryEntries() const;
    const Data& dataBytes() const;
    PlistDate dateValue() const;

    // Arrays. Out-of-range indices read as null.
    std::size_t count() const;
    const PlistValue& operator[](std::size_t index) const;
    void append(PlistValue item); // turns a null value into an array

    // Dictionaries. A missing key reads as null.
    const PlistValue* find(std::string_view key) const;
    const PlistValue& operator[](std::string_view key) const;
    bool contains(std::string_view key) const { return find(key) != nullptr; }
    void set(std::string_view key, PlistValue value); // turns a null value into a dictionary
    bool remove(std::string_view key);
    std::vector<std::string> keys() const;

    // Deep equality; dictionaries compare their key order too.
    friend bool operator==(const PlistValue& a, const PlistValue& b);

private:
    using Storage = std::variant<std::monostate, Dictionary, Array, std::string, std::int64_t,
                                 double, bool, Data, PlistDate>;
    Storage storage_;
};

} // namespace fretkit
