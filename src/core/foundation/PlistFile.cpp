#include "PlistFile.h"

#include "FileIO.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <plist/plist.h>

namespace fretkit {
namespace {

struct PlistFree {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using PlistNode = std::unique_ptr<void, PlistFree>;

struct MallocFree {
    void operator()(char* text) const { std::free(text); }
};
using MallocText = std::unique_ptr<char, MallocFree>;

// libplist keeps dates as whole seconds and microseconds since the reference date.
constexpr double kMicroseconds = 1e6;

PlistValue fromNode(plist_t node);

PlistValue dictionaryFromNode(plist_t node) {
    PlistValue dictionary = PlistValue::dictionary();
    plist_dict_iter iter = nullptr;
    plist_dict_new_iter(node, &iter);
    for (;;) {
        char* rawKey = nullptr;
        plist_t item = nullptr;
        plist_dict_next_item(node, iter, &rawKey, &item);
        MallocText key(rawKey);
        if (!item) {
            break;
        }
        dictionary.set(key ? key.get() : "", fromNode(item));
    }
    std::free(iter);
    return dictionary;
}

PlistValue arrayFromNode(plist_t node) {
    PlistValue array = PlistValue::array();
    const std::uint32_t size = plist_array_get_size(node);
    for (std::uint32_t i = 0; i < size; ++i) {
        array.append(fromNode(plist_array_get_item(node, i)));
    }
    return array;
}

PlistValue fromNode(plist_t node) {
    switch (plist_get_node_type(node)) {
    case PLIST_DICT:
        return dictionaryFromNode(node);
    case PLIST_ARRAY:
        return arrayFromNode(node);
    case PLIST_STRING:
    case PLIST_KEY: {
        char* raw = nullptr;
        plist_get_string_val(node, &raw);
        MallocText text(raw);
        return PlistValue(std::string(text ? text.get() : ""));
    }
    case PLIST_UINT: {
        // Integers come back unsigned; negative ones are their two's complement.
        std::uint64_t value = 0;
        plist_get_uint_val(node, &value);
        return PlistValue(static_cast<long long>(value));
    }
    case PLIST_UID: {
        std::uint64_t value = 0;
        plist_get_uid_val(node, &value);
        return PlistValue(static_cast<long long>(value));
    }
    case PLIST_REAL: {
        double value = 0.0;
        plist_get_real_val(node, &value);
        return PlistValue(value);
    }
    case PLIST_BOOLEAN: {
        std::uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return PlistValue(value != 0);
    }
    case PLIST_DATA: {
        char* raw = nullptr;
        std::uint64_t length = 0;
        plist_get_data_val(node, &raw, &length);
        MallocText bytes(raw);
        const auto* begin = reinterpret_cast<const std::uint8_t*>(bytes.get());
        return PlistValue(PlistValue::Data(begin, begin + (bytes ? length : 0)));
    }
    case PLIST_DATE: {
        std::int32_t seconds = 0;
        std::int32_t microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        return PlistValue(PlistDate{seconds + microseconds / kMicroseconds});
    }
    default:
        return PlistValue();
    }
}

plist_t toNode(const PlistValue& value) {
    switch (value.type()) {
    case PlistValue::Type::Dictionary: {
        plist_t node = plist_new_dict();
        for (const auto& [key, item] : value.dictionaryEntries()) {
            if (!item.isNull()) {
                plist_dict_set_item(node, key.c_str(), toNode(item));
            }
        }
        return node;
    }
    case PlistValue::Type::Array: {
        plist_t node = plist_new_array();
        for (const PlistValue& item : value.arrayItems()) {
            if (!item.isNull()) {
                plist_array_append_item(node, toNode(item));
            }
        }
        return node;
    }
    case PlistValue::Type::String:
        return plist_new_string(value.stringValue().c_str());
    case PlistValue::Type::Integer:
        return plist_new_uint(static_cast<std::uint64_t>(value.integerValue()));
    case PlistValue::Type::Real:
        return plist_new_real(value.doubleValue());
    case PlistValue::Type::Boolean:
        return plist_new_bool(value.boolValue() ? 1 : 0);
    case PlistValue::Type::Data: {
        const PlistValue::Data& bytes = value.dataBytes();
        return plist_new_data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    case PlistValue::Type::Date: {
        const double seconds = value.dateValue().secondsSinceReferenceDate;
        const double whole = std::floor(seconds);
        return plist_new_date(
            static_cast<std::int32_t>(whole),
            static_cast<std::int32_t>(std::lround((seconds - whole) * kMicroseconds)));
    }
    case PlistValue::Type::Null:
        break;
    }
    return nullptr;
}

void setError(std::string* error, std::string text) {
    if (error) {
        *error = std::move(text);
    }
}

} // namespace

std::optional<PlistValue> PlistFile::parse(std::string_view bytes, std::string* error) {
    if (bytes.empty() || bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
        setError(error,
                 bytes.empty() ? "the property list is empty" : "the property list is too large");
        return std::nullopt;
    }
    plist_t root = nullptr;
    plist_from_memory(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &root);
    PlistNode owner(root);
    if (!root) {
        setError(error, "the property list is not valid XML or binary property-list data");
        return std::nullopt;
    }
    return fromNode(root);
}

std::optional<PlistValue> PlistFile::read(const std::string& path, std::string* error) {
    std::string reason;
    const std::optional<std::string> bytes = FileIO::readAll(path, &reason);
    if (!bytes) {
        setError(error, reason);
        return std::nullopt;
    }
    std::optional<PlistValue> value = parse(*bytes, &reason);
    if (!value) {
        setError(error, path + ": " + reason);
    }
    return value;
}

std::optional<std::string> PlistFile::serialize(const PlistValue& value, Format format,
                                                std::string* error) {
    PlistNode root(toNode(value));
    if (!root) {
        setError(error, "a null value cannot be written as a property list");
        return std::nullopt;
    }
    char* raw = nullptr;
    std::uint32_t length = 0;
    if (format == Format::Xml) {
        plist_to_xml(root.get(), &raw, &length);
    } else {
        plist_to_bin(root.get(), &raw, &length);
    }
    MallocText bytes(raw);
    if (!bytes) {
        setError(error, "the property list could not be encoded");
        return std::nullopt;
    }
    return std::string(bytes.get(), length);
}

bool PlistFile::write(const PlistValue& value, const std::string& path, Format format,
                      std::string* error) {
    const std::optional<std::string> bytes = serialize(value, format, error);
    return bytes && FileIO::writeAtomically(path, *bytes, error);
}

} // namespace fretkit
