#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace inventory {

// Writes the bytes to a file that must not exist yet; nothing is left behind
// when writing fails. Returns why it failed, or nothing.
std::optional<std::string> WriteNewFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace inventory
