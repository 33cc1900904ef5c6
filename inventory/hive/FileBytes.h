#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "LogReplay.h"

namespace inventory {

// A whole file in memory, read without following it further than asked:
// throws ReadError naming the reason (a file over `limit` bytes is refused
// before anything is allocated).
std::vector<std::uint8_t> ReadFileBytes(const std::string& path, std::uint64_t limit);

// The first `count` bytes of a regular file, fewer if it is shorter, read
// the same way.
std::vector<std::uint8_t> ReadFileStart(const std::string& path, std::size_t count);

// The transaction logs beside a hive: the files in its folder named like it
// plus .LOG, .LOG1 or .LOG2, any case, in that order. One that cannot be read
// is left out, with its reason added to `problems`.
std::vector<TransactionLog> ReadLogsBeside(const std::string& hivePath, std::vector<std::string>& problems);

}  // namespace inventory
