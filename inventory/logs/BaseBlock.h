#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "ByteView.h"

namespace inventory::logs {

// A hive file starts with its 4096-byte base block; a log starts with a copy
// of the block's first 512 bytes, all the checksum covers.
constexpr std::size_t kBaseBlockBytes = 4096;
constexpr std::size_t kHeaderCopyBytes = 512;
constexpr std::uint32_t kBinsAlignment = 4096;

enum FileType : std::uint32_t { kHiveFile = 0, kOldFormatLog = 1, kNewFormatLog = 6 };

struct BaseBlock {
    std::uint32_t primarySequence = 0;
    std::uint32_t secondarySequence = 0;
    std::uint64_t lastWritten = 0;  // FILETIME
    std::uint32_t fileType = 0;
    std::uint32_t binsSize = 0;
    bool checksumRight = false;

    // Changes may wait in the transaction logs.
    bool Dirty() const { return primarySequence != secondarySequence || !checksumRight; }
};

// The fields of the first 512 bytes; nothing without the regf signature.
std::optional<BaseBlock> ReadBaseBlock(ByteView bytes);

// The XOR of the 127 words before the checksum; a result of 0xFFFFFFFF is
// stored as 0xFFFFFFFE, 0 as 1.
std::uint32_t BaseBlockChecksum(ByteView bytes);

// What a replay leaves in the hive's base block: both sequence numbers, the
// hive bins data size and a checksum over them. hive holds the base block.
void StampBaseBlock(std::uint8_t* hive, std::uint32_t sequence, std::uint32_t binsSize);

}  // namespace inventory::logs
