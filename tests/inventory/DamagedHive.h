#pragma once

#include <cstdint>
#include <string>

#include "LogWriter.h"

namespace inventory::test {

// A hive damaged the ways real ones are and hostile ones are made: bytes
// flipped, the file cut short, cells pointing outside the file, huge
// lengths and counts, subkey lists that loop. The same seed gives the same
// damage; `what` says what was done.
Bytes DamageHive(const Bytes& intact, std::uint32_t seed, std::string& what);

// A new-format transaction log damaged by seed: cut short, bytes flipped, or
// a field of an entry's header (size, page count, bins size, a page
// reference) set to a hostile number, its hashes left as they were.
Bytes DamageLog(Bytes log, std::uint32_t seed, std::string& what);

}  // namespace inventory::test
