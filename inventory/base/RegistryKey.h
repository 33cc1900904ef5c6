#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace inventory {

// Registry value types the inventory tells apart.
enum ValueType : std::uint32_t {
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegLink = 6,
    kRegMultiSz = 7,
};

// A value as it is stored: its type code and its bytes, nothing interpreted.
struct RawValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

// The store could not be read (a damaged hive, a refused call). A key or
// value that does not exist is not an error: readers answer it with an empty
// result.
class ReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One open key of a read-only registry: an offline hive or the live
// registry. Names are UTF-8 and match without regard to case.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    // The direct subkey of that name, or null when there is none. A name is
    // one key's name: a backslash in it never reaches further down.
    virtual std::unique_ptr<RegistryKey> OpenSubkey(std::string_view name) const = 0;
    // The names of the direct subkeys, in the store's order.
    virtual std::vector<std::string> SubkeyNames() const = 0;
    // The names of the key's values, in the store's order ("" for the default value).
    virtual std::vector<std::string> ValueNames() const = 0;
    // The value of that name ("" is the key's default value), or nothing.
    virtual std::optional<RawValue> ReadValue(std::string_view name) const = 0;
    // When the key was last written (a FILETIME), or nothing when the store
    // keeps no time for it.
    virtual std::optional<std::uint64_t> LastWriteTime() const = 0;
};

// Opens a path of subkeys separated by backslashes; null when any is missing.
// For the inventory's own paths: a name read from the registry goes through
// OpenSubkey.
std::unique_ptr<RegistryKey> OpenPath(const RegistryKey& key, std::string_view path);

}  // namespace inventory
