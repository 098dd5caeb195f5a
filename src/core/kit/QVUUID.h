#pragma once

#include "foundation/PlistValue.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fretkit {

// A universally unique identifier: 16 raw bytes, written in the standard 8-4-4-4-12 hex form.
class QVUUID {
public:
    static constexpr std::size_t kLength = 16;
    using Bytes = std::array<std::uint8_t, kLength>;

    // A fresh random (version 4) identifier.
    QVUUID();
    explicit QVUUID(const Bytes& bytes) : bytes_(bytes) {}
    // From the string form, or from 16 bytes of data; nullopt for anything else.
    static std::optional<QVUUID> fromString(std::string_view text);
    static std::optional<QVUUID> fromData(const PlistValue::Data& data);

    std::size_t length() const { return kLength; }
    const Bytes& bytes() const { return bytes_; }
    PlistValue::Data dataValue() const { return {bytes_.begin(), bytes_.end()}; }
    std::string description() const;
    // First byte times 256 plus the second.
    unsigned hash() const { return bytes_[0] * 256u + bytes_[1]; }

    // Keyed coding: the bytes under "uuid".
    PlistValue encode() const;
    static std::optional<QVUUID> decode(const PlistValue& coded);

    friend bool operator==(const QVUUID&, const QVUUID&) = default;

private:
    Bytes bytes_{};
};

} // namespace fretkit
