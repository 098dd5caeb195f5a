#include "QVUUID.h"

#include <random>

namespace fretkit {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

QVUUID::QVUUID() {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    for (std::size_t i = 0; i < kLength; i += 8) {
        std::uint64_t word = generator();
        for (std::size_t j = 0; j < 8; ++j) {
            bytes_[i + j] = static_cast<std::uint8_t>(word >> (8 * j));
        }
    }
    bytes_[6] = static_cast<std::uint8_t>((bytes_[6] & 0x0f) | 0x40); // version 4
    bytes_[8] = static_cast<std::uint8_t>((bytes_[8] & 0x3f) | 0x80); // RFC 4122 variant
}

std::optional<QVUUID> QVUUID::fromString(std::string_view text) {
    if (text.size() != 36) {
        return std::nullopt;
    }
    Bytes bytes{};
    std::size_t out = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (text[i] != '-') {
                return std::nullopt;
            }
            ++i;
            continue;
        }
        const int high = hexDigit(text[i]);
        const int low = hexDigit(text[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes[out++] = static_cast<std::uint8_t>(high * 16 + low);
        i += 2;
    }
    return QVUUID(bytes);
}

std::optional<QVUUID> QVUUID::fromData(const PlistValue::Data& data) {
    if (data.size() != kLength) {
        return std::nullopt;
    }
    Bytes bytes{};
    std::copy(data.begin(), data.end(), bytes.begin());
    return QVUUID(bytes);
}

std::string QVUUID::description() const {
    static const char* digits = "0123456789ABCDEF";
    std::string text;
    for (std::size_t i = 0; i < kLength; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            text += '-';
        }
        text += digits[bytes_[i] >> 4];
        text += digits[bytes_[i] & 0x0f];
    }
    return text;
}

PlistValue QVUUID::encode() const {
    return PlistValue::dictionary({{"uuid", PlistValue(dataValue())}});
}

std::optional<QVUUID> QVUUID::decode(const PlistValue& coded) {
    return fromData(coded["uuid"].dataBytes());
}

} // namespace fretkit
