#include "cRegistry.h"

#include <limits>

#include "Error.h"
#include "RegistryCalls.h"

namespace {

// Query and set value, create subkey, enumerate subkeys, notify, create link.
constexpr REGSAM kWriteAccess = 0x3F;

std::wstring AddressText(std::int32_t classKey, const std::wstring& section) {
    return std::to_wstring(classKey) + L"',Section: '" + section;
}

// Creates the key and every missing key on its path, or opens it.
bool CreateOrOpen(HKEY root, const std::wstring& path, UniqueHKey& key) {
    const std::optional<std::string> systemPath = KeyPathAnsi(path);
    return systemPath && CreateKeyA(root, *systemPath, kWriteAccess, key) == ERROR_SUCCESS;
}

bool SetRaw(HKEY key, const std::wstring& name, DWORD type, const void* data, std::size_t size) {
    const std::optional<std::string> systemName = ExactAnsi(name);
    if (!systemName || size > std::numeric_limits<DWORD>::max()) return false;
    // Never a null pointer, not even for 0 bytes.
    static const BYTE kNoData = 0;
    return RegSetValueExA(key, systemName->c_str(), 0, type, data ? static_cast<const BYTE*>(data) : &kNoData,
                          static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

// A text holding a name between two percent signs is expandable; two
// adjacent percent signs or a single one are not.
DWORD TextType(const std::wstring& text) {
    const std::size_t first = text.find(L'%');
    return first != std::wstring::npos && text.find(L'%', first + 2) != std::wstring::npos ? REG_EXPAND_SZ : REG_SZ;
}

// Writes `value` by the rules of `valueType`. Returns false when the write
// failed or the type is not one that can be written; a number type with a
// value that is not an integer writes nothing and counts as done.
bool WriteValue(HKEY key, const std::wstring& name, std::int32_t valueType, const RegistryValue& value) {
    switch (valueType) {
        case REG_SZ:
        case REG_EXPAND_SZ: {
            const std::wstring text = value.ToText();
            const std::optional<std::string> data = ExactAnsi(text);
            // The size is the bytes the text takes plus its terminator, which
            // is its length plus 1 wherever a character takes one byte.
            return data && SetRaw(key, name, TextType(text), data->c_str(), data->size() + 1);
        }
        case REG_BINARY: {
            if (value.kind() != RegistryValue::Kind::Bytes)
                throw Error(cRegistry::kErrKeyOperation, std::wstring(), std::wstring());
            const RegistryValue::Bytes& bytes = value.ByteArray();
            return SetRaw(key, name, REG_BINARY, bytes.data(), bytes.size());
        }
        case REG_DWORD:
        case REG_DWORD_BIG_ENDIAN: {
            std::int32_t number = 0;
            if (value.kind() == RegistryValue::Kind::Int16)
                number = value.Int16();
            else if (value.kind() == RegistryValue::Kind::Int32)
                number = value.Int32();
            else
                return true;
            return SetRaw(key, name, REG_DWORD, &number, sizeof number);
        }
        default:
            return false;
    }
}

}  // namespace

bool cRegistry::CreateKey() {
    UniqueHKey key;
    if (!CreateOrOpen(RootKey(classKey_), sectionKey_, key))
        throw Error(kErrKeyOperation, ErrorSource(), L"Failed to create registry Key: '" + sectionKey_);
    return true;
}

bool cRegistry::DeleteKey() {
    const std::optional<std::string> path = KeyPathAnsi(sectionKey_);
    // An empty path would make RegDeleteKeyA delete the key the root stands for.
    if (!path || path->empty() || DeleteKeyA(RootKey(classKey_), *path) != ERROR_SUCCESS)
        throw Error(kErrKeyOperation, ErrorSource(),
                    L"Failed to delete registry Key: '" + AddressText(classKey_, sectionKey_));
    return true;
}

bool cRegistry::DeleteValue() {
    const std::optional<std::string> path = KeyPathAnsi(sectionKey_);
    UniqueHKey key;
    if (!path || OpenKeyA(RootKey(classKey_), *path, kWriteAccess, key) != ERROR_SUCCESS)
        throw Error(kErrKeyOperation, ErrorSource(),
                    L"Failed to open key '" + AddressText(classKey_, sectionKey_) + L"' for delete access");
    const std::optional<std::string> name = ExactAnsi(valueKey_);
    if (!name || RegDeleteValueA(key.get(), name->c_str()) != ERROR_SUCCESS)
        throw Error(
            kErrKeyOperation, ErrorSource(),
            L"Failed to delete registry Key: '" + AddressText(classKey_, sectionKey_) + L"',Key: '" + valueKey_);
    return true;
}

void cRegistry::SetValue(const RegistryValue& vValue) {
    HKEY root = RootKey(classKey_);
    UniqueHKey remote;
    if (!ConnectRoot(machine_, root, remote)) return;
    UniqueHKey key;
    if (!CreateOrOpen(root, sectionKey_, key)) throw Error(kErrKeyOperation, ErrorSource(), SetValueMessage(vValue));
    if (!WriteValue(key.get(), valueKey_, valueType_, vValue))
        throw Error(kErrSetValue, ErrorSource(), SetValueMessage(vValue));
}

std::wstring cRegistry::SetValueMessage(const RegistryValue& vValue) const {
    return L"Failed to set registry value Key: '" + AddressText(classKey_, sectionKey_) + L"',Key: '" + valueKey_ +
           L"' to value: '" + vValue.ToText() + L"'";
}

void cRegistry::SetValueEx(std::int32_t eClassKey, const std::wstring& sSectionKey, const std::wstring& sValueKey,
                           std::int32_t eValueType, const RegistryValue& vDefault, const RegistryValue& vNewValue) {
    SetClassKey(eClassKey);
    SetSectionKey(sSectionKey);
    SetValueKey(sValueKey);
    SetValueType(eValueType);
    SetDefault(vDefault);
    SetValue(valueType_ == REG_SZ && vNewValue.ToText().empty() ? default_ : vNewValue);
}
