#pragma once
// The general value that components exchange: nothing, a 16-bit or 32-bit integer, a text,
// or an array of bytes with its bounds.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace corvane {

struct ByteArray {
    std::int32_t lowerBound = 0;
    std::vector<std::uint8_t> bytes;

    // An empty array has upper bound lowerBound - 1, as a count-based loop expects.
    std::int32_t UpperBound() const noexcept {
        return lowerBound + static_cast<std::int32_t>(bytes.size()) - 1;
    }
    friend bool operator==(const ByteArray&, const ByteArray&) = default;
};

class GeneralValue {
public:
    enum class Kind { Empty, Int16, Int32, Text, Bytes };

    GeneralValue() = default;
    GeneralValue(std::int16_t v) : value_(v) {}
    GeneralValue(std::int32_t v) : value_(v) {}
    GeneralValue(std::string v) : value_(std::move(v)) {}
    GeneralValue(const char* v) : value_(std::string(v)) {}
    GeneralValue(ByteArray v) : value_(std::move(v)) {}

    Kind GetKind() const noexcept { return static_cast<Kind>(value_.index()); }
    bool IsEmpty() const noexcept { return GetKind() == Kind::Empty; }
    bool IsInteger() const noexcept { return GetKind() == Kind::Int16 || GetKind() == Kind::Int32; }

    // Integers widen to 32 bits; anything else is not an integer and yields nothing.
    bool TryInt32(std::int32_t& out) const noexcept;
    const std::string* Text() const noexcept { return std::get_if<std::string>(&value_); }
    const ByteArray* Bytes() const noexcept { return std::get_if<ByteArray>(&value_); }

    // Integers in plain signed decimal, nothing as the empty text, a text as itself and a
    // byte array as the characters of its bytes.
    std::string ToText() const;

    friend bool operator==(const GeneralValue&, const GeneralValue&) = default;

private:
    std::variant<std::monostate, std::int16_t, std::int32_t, std::string, ByteArray> value_;
};

} // namespace corvane
