#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "RegistryKey.h"

namespace inventory {

// A key or value that could not be read, and why.
struct ErrorLine {
    std::string where;
    std::string reason;
};

// What one key held, as read: whether it exists, the items read from its
// subkeys or values, and what could not be read. The items are handed out
// only together with those errors, so a user cannot leave them behind.
template <typename Item>
class KeyContents {
public:
    std::string path;
    bool present = false;

    // The items; the errors are added to `userErrors`, each once.
    const std::vector<Item>& Items(std::vector<ErrorLine>& userErrors) const {
        for (const ErrorLine& error : errors_) {
            const bool known = std::any_of(userErrors.begin(), userErrors.end(), [&](const ErrorLine& line) {
                return line.where == error.where && line.reason == error.reason;
            });
            if (!known) userErrors.push_back(error);
        }
        return items_;
    }

    void Add(Item item) { items_.push_back(std::move(item)); }
    void AddError(ErrorLine error) { errors_.push_back(std::move(error)); }
    std::vector<ErrorLine>& Errors() { return errors_; }

private:
    std::vector<Item> items_;
    std::vector<ErrorLine> errors_;
};

// The one per-child read loop: read(name, key) for each subkey of `parent`
// (by name when sorted, else in the store's order). A child that cannot be
// read (a ReadError, which a decoding error is too) becomes an error line
// naming path\child, and the others go on.
template <typename Read>
void ForEachSubkey(const RegistryKey& parent, const std::string& path, std::vector<ErrorLine>& errors, Read read,
                   bool sorted = false) {
    std::vector<std::string> names;
    try {
        names = parent.SubkeyNames();
    } catch (const ReadError& error) {
        errors.push_back({path, error.what()});
        return;
    }
    if (sorted) std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        try {
            if (const auto key = parent.OpenSubkey(name)) read(name, *key);
        } catch (const ReadError& error) {
            errors.push_back({path + "\\" + name, error.what()});
        }
    }
}

// The same for the values of `parent`: read(name, value).
template <typename Read>
void ForEachValue(const RegistryKey& parent, const std::string& path, std::vector<ErrorLine>& errors, Read read) {
    std::vector<std::string> names;
    try {
        names = parent.ValueNames();
    } catch (const ReadError& error) {
        errors.push_back({path, error.what()});
        return;
    }
    for (const std::string& name : names) {
        try {
            if (const std::optional<RawValue> value = parent.ReadValue(name)) read(name, *value);
        } catch (const ReadError& error) {
            errors.push_back({path + "\\" + name, error.what()});
        }
    }
}

// The key at `path` below `root` (none when root is null): whether it exists,
// and read(key, contents) for it; a key that cannot be opened is an error line.
template <typename Item, typename Read>
KeyContents<Item> ReadKey(const RegistryKey* root, std::string path, Read read) {
    KeyContents<Item> contents;
    contents.path = std::move(path);
    try {
        const auto key = root ? OpenPath(*root, contents.path) : nullptr;
        contents.present = key != nullptr;
        if (key) read(*key, contents);
    } catch (const ReadError& error) {
        contents.AddError({contents.path, error.what()});
    }
    return contents;
}

// That key read child by child: read(name, key) returns the item, or
// nothing to pass the child over.
template <typename Item, typename Read>
KeyContents<Item> ReadSubkeys(const RegistryKey* root, std::string path, Read read) {
    return ReadKey<Item>(root, std::move(path), [&](const RegistryKey& key, KeyContents<Item>& contents) {
        ForEachSubkey(key, contents.path, contents.Errors(), [&](const std::string& name, const RegistryKey& child) {
            if (std::optional<Item> item = read(name, child)) contents.Add(std::move(*item));
        });
    });
}

// The same over the values of the key: read(name, value) returns the item.
template <typename Item, typename Read>
KeyContents<Item> ReadValues(const RegistryKey* root, std::string path, Read read) {
    return ReadKey<Item>(root, std::move(path), [&](const RegistryKey& key, KeyContents<Item>& contents) {
        ForEachValue(key, contents.path, contents.Errors(),
                     [&](const std::string& name, const RawValue& value) { contents.Add(read(name, value)); });
    });
}

}  // namespace inventory
