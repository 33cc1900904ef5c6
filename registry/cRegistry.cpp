#include "cRegistry.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <optional>

#include "Error.h"
#include "ProgramFile.h"
#include "RegistryCalls.h"
#include "Text.h"
#include "UniqueHandle.h"

namespace {

constexpr DWORD kSectionNameCapacity = 255;

// Second query of a value whose size is known: at most `size` bytes, into a
// zeroed buffer of at least `minimum` bytes. The result of the call is not
// looked at; whatever it left in the buffer is used, with the size it
// reported (the bytes it read, or those it would have needed).
struct QueriedData {
    std::vector<BYTE> bytes;
    DWORD reportedSize;
};

QueriedData QueryData(HKEY key, const std::string& name, DWORD size, std::size_t minimum = 0) {
    QueriedData data{std::vector<BYTE>(std::max<std::size_t>(size, minimum), 0), size};
    RegQueryValueExA(key, name.c_str(), nullptr, nullptr, size ? data.bytes.data() : nullptr, &data.reportedSize);
    return data;
}

std::int32_t FirstFourBytes(const std::vector<BYTE>& data) {
    std::uint32_t number = 0;
    std::memcpy(&number, data.data(), sizeof number);
    return static_cast<std::int32_t>(number);
}

}  // namespace

void cRegistry::SetMachine(const std::wstring& sMachine) {
    if (sMachine.size() < 3)
        machine_.clear();
    else if (sMachine.compare(0, 2, L"\\\\") != 0)
        machine_ = L"\\\\" + sMachine;
    else
        machine_ = sMachine;
}

HKEY cRegistry::RootKey(std::int32_t eKey) noexcept {
    // Predefined keys are 32-bit numbers, sign-extended on 64-bit Windows.
    return reinterpret_cast<HKEY>(static_cast<std::intptr_t>(eKey));
}

std::wstring cRegistry::ErrorSource() {
    return ProgramName() + L".cRegistry";
}

bool cRegistry::KeyExists() const {
    UniqueHKey key;
    return OpenKeyForReading(RootKey(classKey_), sectionKey_, KEY_QUERY_VALUE, key) == ERROR_SUCCESS;
}

RegistryValue cRegistry::Value() {
    HKEY root = RootKey(classKey_);
    UniqueHKey remote;
    if (!ConnectRoot(machine_, root, remote)) return default_;

    UniqueHKey key;
    if (OpenKeyForReading(root, sectionKey_, KEY_QUERY_VALUE, key) != ERROR_SUCCESS) return default_;

    const std::optional<std::string> systemName = ExactAnsi(valueKey_);
    if (!systemName) return default_;
    const std::string& name = *systemName;
    DWORD type = 0;
    BYTE scratch[4] = {};
    DWORD size = 0;
    const LONG rc = RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, scratch, &size);
    if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) return default_;

    valueType_ = static_cast<std::int32_t>(type);
    switch (type) {
        case REG_SZ:
        case REG_EXPAND_SZ:
        case REG_MULTI_SZ: {
            // The stored text without its final terminator; for a multi-string
            // the zero after each item stays. A text of 0 bytes reads as empty.
            // The first size may exceed the text (a value that shrank, or the
            // size of its 16-bit form): the smaller of the two sizes holds.
            if (size == 0) return std::wstring();
            const QueriedData data = QueryData(key.get(), name, size);
            const DWORD length = std::min(size, data.reportedSize);
            if (length == 0) return std::wstring();
            std::wstring text =
                FromAnsi(std::string_view(reinterpret_cast<const char*>(data.bytes.data()), length - 1));
            return type == REG_EXPAND_SZ ? ExpandEnvStr(text) : text;
        }
        case REG_DWORD:
            // A malformed size (0, 2 or 8 bytes) reads what is there, never more
            // than the 4 bytes of the number.
            return FirstFourBytes(QueryData(key.get(), name, size, sizeof(std::uint32_t)).bytes);
        case REG_DWORD_BIG_ENDIAN:
            return static_cast<std::int32_t>(SwapEndian(static_cast<std::uint32_t>(
                FirstFourBytes(QueryData(key.get(), name, size, sizeof(std::uint32_t)).bytes))));
        default: {
            QueriedData data = QueryData(key.get(), name, size);
            return RegistryValue::Bytes(std::move(data.bytes));
        }
    }
}

RegistryValue cRegistry::ValueEx(std::int32_t eClassKey, const std::wstring& sSectionKey, const std::wstring& sValueKey,
                                 std::int32_t eValueType, const RegistryValue& vDefault) {
    SetClassKey(eClassKey);
    SetSectionKey(sSectionKey);
    SetValueKey(sValueKey);
    SetValueType(eValueType);
    SetDefault(vDefault);
    return Value();
}

bool cRegistry::EnumerateSections(NameList& sSect, std::int32_t& iSectCount) const {
    iSectCount = 0;
    sSect.Clear();
    UniqueHKey key;
    try {
        if (OpenKeyForReading(RootKey(classKey_), sectionKey_, KEY_ENUMERATE_SUB_KEYS, key) != ERROR_SUCCESS)
            return true;
        // A name of 255 characters does not fit (the terminator needs room):
        // like every other failure it ends the list.
        char buffer[kSectionNameCapacity];
        for (DWORD index = 0;; ++index) {
            std::memset(buffer, 0, sizeof buffer);
            if (RegEnumKeyA(key.get(), index, buffer, kSectionNameCapacity) != ERROR_SUCCESS) break;
            sSect.Append(FromAnsi(std::string_view(buffer, strnlen(buffer, sizeof buffer))));
            ++iSectCount;
        }
    } catch (const std::exception& failure) {
        throw Error(kErrEnumerate, ErrorSource(), FromAnsi(failure.what()));
    }
    return true;
}

bool cRegistry::EnumerateValues(NameList& sKeyNames, std::int32_t& iKeyCount) const {
    iKeyCount = 0;
    sKeyNames.Clear();
    UniqueHKey key;
    if (OpenKeyForReading(RootKey(classKey_), sectionKey_, KEY_QUERY_VALUE, key) != ERROR_SUCCESS) return true;
    // The class name is not needed; asking for it with no room would fail the
    // whole query for a key that has one.
    DWORD longestName = 0;
    if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return true;
    // The longest name is counted in characters; in the system's code page
    // each may take up to its widest form in bytes.
    std::vector<char> buffer(std::size_t{longestName} * LongestAnsiCharacter() + 1);
    for (DWORD index = 0;; ++index) {
        auto length = static_cast<DWORD>(buffer.size());
        if (RegEnumValueA(key.get(), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        sKeyNames.Append(FromAnsi(std::string_view(buffer.data(), std::min<std::size_t>(length, buffer.size()))));
        ++iKeyCount;
    }
    return true;
}

std::uint32_t cRegistry::SwapEndian(std::uint32_t value) noexcept {
    return (value >> 24) | ((value >> 8) & 0x0000FF00u) | ((value << 8) & 0x00FF0000u) | (value << 24);
}

std::wstring cRegistry::ExpandEnvStr(const std::wstring& text) {
    const std::string source = ToAnsi(text);
    const DWORD needed = ExpandEnvironmentStringsA(source.c_str(), nullptr, 0);
    if (needed == 0) return {};
    std::vector<char> buffer(needed, '\0');
    ExpandEnvironmentStringsA(source.c_str(), buffer.data(), needed);
    // Some systems report more room than the text takes: stop at its end.
    return FromAnsi(std::string_view(buffer.data(), strnlen(buffer.data(), needed - 1)));
}
