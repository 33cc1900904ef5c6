#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "RegText.h"

namespace inventory::tools {

// The smallest hive hivex opens for writing, made from the format's public
// description: a 4 KB base block with its checksum, one 4 KB hive bin with a
// root key cell, a security cell and a free cell for the rest.
std::vector<std::uint8_t> EmptyHiveBytes();

// Writes a hive file holding the keys, with hivex's writing calls. A key
// named twice gets the values of both. Throws std::runtime_error.
void WriteHive(const std::string& path, const std::vector<TextKey>& keys);

}  // namespace inventory::tools
