#pragma once

#include <cstdint>
#include <vector>

#include "ByteView.h"

namespace inventory::logs {

constexpr std::size_t kDirtyPageBytes = 512;

// An old-format log's pages: page k of the hive bins data goes to file
// offset 4096 + 512 k.
struct DirtyPage {
    std::uint32_t index;
    ByteView bytes;
};

// The pages of an old-format log (DIRT after the header copy) whose header
// gives binsSize; throws LogFormatError when the bitmap or its pages do not fit
// in the log or binsSize is no multiple of 4096 or above binsLimit.
std::vector<DirtyPage> ReadDirtyPages(ByteView log, std::uint32_t binsSize, std::uint32_t binsLimit);

}  // namespace inventory::logs
