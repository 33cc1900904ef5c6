#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// The tagged value that registry reads return and writes take: empty, text,
// 16-bit or 32-bit signed integer, byte array, or another scalar a caller may
// keep as a fallback (floating point, boolean).
class RegistryValue {
public:
    using Bytes = std::vector<std::uint8_t>;
    enum class Kind { Empty, Text, Int16, Int32, Bytes, Double, Boolean };

    RegistryValue() = default;
    RegistryValue(std::wstring text) : data_(std::move(text)) {}
    RegistryValue(const wchar_t* text) : data_(std::wstring(text)) {}
    RegistryValue(std::int16_t number) : data_(number) {}
    RegistryValue(std::int32_t number) : data_(number) {}
    RegistryValue(Bytes bytes) : data_(std::move(bytes)) {}
    RegistryValue(double number) : data_(number) {}
    // No value from a boolean (it would become the number 1) nor from a null
    // pointer (the text would fail only at run time): a boolean is spelled
    // out, so that no pointer turns into one by accident.
    RegistryValue(bool) = delete;
    RegistryValue(std::nullptr_t) = delete;
    static RegistryValue Boolean(bool value);

    Kind kind() const noexcept { return static_cast<Kind>(data_.index()); }
    bool IsEmpty() const noexcept { return kind() == Kind::Empty; }

    // The stored item; throws std::bad_variant_access when the kind differs.
    const std::wstring& Text() const { return std::get<std::wstring>(data_); }
    std::int16_t Int16() const { return std::get<std::int16_t>(data_); }
    std::int32_t Int32() const { return std::get<std::int32_t>(data_); }
    const Bytes& ByteArray() const { return std::get<Bytes>(data_); }
    double Double() const { return std::get<double>(data_); }
    bool BooleanValue() const { return std::get<bool>(data_); }

    // The value as text: a text itself; numbers in decimal; "True" or
    // "False"; bytes as two lower-case hex digits each, separated by blanks
    // (as the registry editor shows them); an empty value as "".
    std::wstring ToText() const;

    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;

private:
    std::variant<std::monostate, std::wstring, std::int16_t, std::int32_t, Bytes, double, bool> data_;
};
