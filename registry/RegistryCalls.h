#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "UniqueHandle.h"

// What cRegistry hands to the 8-bit registry calls.

// Opens the remote root for `machine` when one is set. Returns false when the
// connection fails, as it does for a name that does not convert exactly to
// the system's code page (the plain conversion turns a fullwidth letter into
// its plain twin: another machine, or this one); otherwise `root` names the
// key to work below.
bool ConnectRoot(const std::wstring& machine, HKEY& root, UniqueHKey& remote);

// Key calls for a path below `root` in the system's code page. The 8-bit
// registry calls widen a path in a buffer of about 260 characters and refuse
// a longer one, so a long path goes one key at a time, each part relative to
// the last (for deletion: the parent that way, then its subkey).
LONG OpenKeyA(HKEY root, const std::string& path, REGSAM access, UniqueHKey& key);
// Creates the key and every missing key on its path, or opens it: not
// volatile, with no class text and the default security.
LONG CreateKeyA(HKEY root, const std::string& path, REGSAM access, UniqueHKey& key);
LONG DeleteKeyA(HKEY root, const std::string& path);

// Opens `path` below `root` for reading. A path that does not convert
// exactly to the system's code page names no key (ERROR_FILE_NOT_FOUND).
LONG OpenKeyForReading(HKEY root, std::wstring_view path, REGSAM access, UniqueHKey& key);

// The most bytes one character takes in the system's 8-bit code page (1 in
// a single-byte one, 2 in a double-byte one, 4 in UTF-8).
std::size_t LongestAnsiCharacter() noexcept;

// The text in the system's 8-bit code page, or nothing when one of its
// characters has no exact counterpart there. The plain conversion puts "?"
// or a look-alike in such a place: a fullwidth backslash would become a key
// path separator, and a name would address another key or value.
std::optional<std::string> ExactAnsi(std::wstring_view text);

// A key path for writing and deleting: nothing when one of its parts is
// empty (a leading, trailing or doubled backslash) or does not convert
// exactly. Systems disagree on such paths (some drop the empty parts, so
// "Class\shell\" would address "Class\shell" itself); here they name no key.
// An empty path stays empty: it names the root itself.
std::optional<std::string> KeyPathAnsi(std::wstring_view path);
