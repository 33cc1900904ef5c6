#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace inventory::test {

using Bytes = std::vector<std::uint8_t>;

// A little-endian 32-bit field.
std::uint32_t Load32(const Bytes& bytes, std::size_t at);

// Sets a 32-bit field of a base block (a hive's, or a log's copy) and makes its checksum right.
void SetHeaderField(Bytes& block, std::size_t at, std::uint32_t value);

// One step of a hive's history: after is before with one entry's changes.
struct HiveChange {
    std::uint32_t sequence;
    const Bytes* before;
    const Bytes* after;
};

struct NewFormatLog {
    Bytes bytes;
    std::vector<std::size_t> entryAt;  // where each entry starts
};

// A new-format log: hive's header, then one entry per change in the order
// given, holding the 4096-byte pages of the hive bins data that differ, hashed.
NewFormatLog WriteNewFormatLog(const Bytes& hive, const std::vector<HiveChange>& changes);

// Sets field `at` of entry `index` and hashes the entry again, so that the
// damage meets the check meant for it rather than the hashes.
void SetEntryField(NewFormatLog& log, std::size_t index, std::size_t at, std::uint32_t value);

struct OldFormatLog {
    Bytes bytes;
    std::size_t pages;
};

// An old-format log taking before to after in 512-byte pages; its header is
// after's, with both sequence numbers `sequence` and before's timestamp.
OldFormatLog WriteOldFormatLog(const Bytes& before, const Bytes& after, std::uint32_t sequence);

// The input of the fuzz target: a flag byte (1: hash the entries again), then
// the hive and each log after its 32-bit length.
Bytes FuzzInput(const Bytes& hive, const std::vector<Bytes>& logs);

}  // namespace inventory::test
