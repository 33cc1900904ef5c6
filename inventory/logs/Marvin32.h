#pragma once

#include <cstddef>
#include <cstdint>

namespace inventory::logs {

// The seed of both hashes of a new-format log entry.
constexpr std::uint64_t kLogEntrySeed = 0x82EF4D887A4E55C5;

// Marvin32, the string hash of .NET and Windows: hi in the upper 32 bits, lo in the lower.
std::uint64_t Marvin32(const std::uint8_t* data, std::size_t size, std::uint64_t seed = kLogEntrySeed);

}  // namespace inventory::logs
