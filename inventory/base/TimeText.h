#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "RegistryKey.h"

namespace inventory {

// Times as ISO 8601 in UTC (2009-07-14T04:41:19Z); nothing when the stored
// bytes are not a time.
// A 16-byte SYSTEMTIME value (a network component's InstallTimeStamp).
std::optional<std::string> SystemTimeText(const std::optional<RawValue>& value);
// A FILETIME: 100-nanosecond intervals since 1601-01-01 (a key's last write).
std::optional<std::string> FileTimeText(std::uint64_t fileTime);

}  // namespace inventory
